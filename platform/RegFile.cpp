#include "platform/RegFile.h"

#include <QString>
#include <QStringDecoder>
#include <cwchar>
#include <cwctype>

namespace {

const wchar_t kHeader[] = L"Windows Registry Editor Version 5.00";

std::wstring TrimRight(std::wstring s) {
  while (!s.empty() && (s.back() == L'\r' || s.back() == L' ' || s.back() == L'\t')) s.pop_back();
  return s;
}

// Reads a quoted string with \\ and \" escapes starting at s[pos] == '"'; pos ends after the closing quote.
std::optional<std::wstring> ReadQuoted(const std::wstring& s, size_t& pos) {
  std::wstring out;
  for (++pos; pos < s.size(); ++pos) {
    const wchar_t c = s[pos];
    if (c == L'"') {
      ++pos;
      return out;
    }
    if (c == L'\\') {
      if (++pos >= s.size()) return std::nullopt;
      out += s[pos];
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

std::wstring Quote(const std::wstring& s) {
  std::wstring out = L"\"";
  for (wchar_t c : s) {
    if (c == L'\\' || c == L'"') out += L'\\';
    out += c;
  }
  return out + L"\"";
}

std::optional<DWORD> ReadDword(const std::wstring& digits) {
  if (digits.size() != 8) return std::nullopt;
  for (wchar_t c : digits)
    if (!std::iswxdigit(static_cast<wint_t>(c))) return std::nullopt;
  return static_cast<DWORD>(std::wcstoul(digits.c_str(), nullptr, 16));
}

// A value line: "name"=... or @=...; nullopt when it cannot be read.
std::optional<REG_LINE> ParseValueLine(const std::wstring& raw) {
  const std::wstring line = TrimRight(raw);
  REG_LINE value;
  size_t pos = 0;
  if (line[0] == L'@') {
    value.name.emplace();
    pos = 1;
  } else {
    value.name = ReadQuoted(line, pos);
    if (!value.name) return std::nullopt;
  }
  if (pos >= line.size() || line[pos] != L'=') return std::nullopt;
  ++pos;
  if (pos < line.size() && line[pos] == L'"') {
    std::optional<std::wstring> text = ReadQuoted(line, pos);
    if (!text || pos != line.size()) return std::nullopt;
    value.type = REG_SZ;
    value.text = *text;
    return value;
  }
  const std::wstring rest = line.substr(pos);
  if (rest.rfind(L"dword:", 0) == 0) {
    std::optional<DWORD> dword = ReadDword(rest.substr(6));
    if (!dword) return std::nullopt;
    value.type = REG_DWORD;
    value.dword = *dword;
    return value;
  }
  // Another type (hex:, hex(7):, -): kept as it stands.
  if (rest.empty() || (rest != L"-" && rest.find(L':') == std::wstring::npos)) return std::nullopt;
  value.type = REG_NONE;
  value.text = raw;
  return value;
}

}  // namespace

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  return true;
}

REG_SECTION* REG_DOCUMENT::FindSection(const std::wstring& path) {
  for (REG_SECTION& section : sections)
    if (EqualNoCase(section.path, path)) return &section;
  return nullptr;
}

REG_SECTION& REG_DOCUMENT::AddSection(const std::wstring& path) {
  if (REG_SECTION* p = FindSection(path)) return *p;
  sections.push_back(REG_SECTION{path, {}});
  return sections.back();
}

REG_LINE* FindValue(REG_SECTION& section, const std::wstring& name) {
  for (REG_LINE& line : section.lines)
    if (line.name && EqualNoCase(*line.name, name)) return &line;
  return nullptr;
}

std::optional<REG_DOCUMENT> ParseRegFile(const std::string& utf8) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString decoded = decoder.decode(QByteArray::fromRawData(utf8.data(), static_cast<qsizetype>(utf8.size())));
  if (decoder.hasError()) return std::nullopt;
  std::wstring text = decoded.toStdWString();
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);

  std::vector<std::wstring> lines;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = text.find(L'\n', start);
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  if (lines.empty() || TrimRight(lines[0]) != kHeader) return std::nullopt;
  // The file ends with a line break; what follows the last one must be nothing.
  if (!lines.back().empty()) return std::nullopt;
  lines.pop_back();

  REG_DOCUMENT document;
  REG_SECTION* pSection = nullptr;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::wstring line = TrimRight(lines[i]);
    if (!line.empty() && line[0] == L'[') {
      if (line.back() != L']' || line.size() < 3) return std::nullopt;
      pSection = &document.AddSection(line.substr(1, line.size() - 2));
      continue;
    }
    if (!line.empty() && (line[0] == L'"' || line[0] == L'@')) {
      if (!pSection) return std::nullopt;
      std::optional<REG_LINE> value = ParseValueLine(lines[i]);
      if (!value) return std::nullopt;
      // A value of another type may go on over lines that end with a backslash.
      while (value->type == REG_NONE && TrimRight(value->text).ends_with(L'\\') && i + 1 < lines.size())
        value->text += L"\n" + lines[++i];
      if (REG_LINE* pOld = FindValue(*pSection, *value->name)) *pOld = *value;
      else pSection->lines.push_back(*value);
      continue;
    }
    if (!line.empty() && line[0] != L';') return std::nullopt;
    if (pSection) pSection->lines.push_back(REG_LINE{std::nullopt, REG_NONE, lines[i], 0});
    else document.preamble.push_back(lines[i]);
  }
  return document;
}

std::string WriteRegFile(const REG_DOCUMENT& document) {
  std::wstring out = std::wstring(kHeader) + L"\n";
  for (const std::wstring& line : document.preamble) out += line + L"\n";
  for (const REG_SECTION& section : document.sections) {
    // Sections are set apart by one blank line, as the registry editor writes them.
    if (!out.ends_with(L"\n\n")) out += L"\n";
    out += L"[" + section.path + L"]\n";
    for (const REG_LINE& line : section.lines) {
      if (!line.name || line.type == REG_NONE) {
        out += line.text + L"\n";
        continue;
      }
      out += line.name->empty() ? std::wstring(L"@") : Quote(*line.name);
      if (line.type == REG_SZ) {
        out += L"=" + Quote(line.text) + L"\n";
      } else {
        wchar_t digits[9];
        std::swprintf(digits, 9, L"%08x", line.dword);
        out += std::wstring(L"=dword:") + digits + L"\n";
      }
    }
  }
  return QString::fromStdWString(out).toStdString();
}
