// The registry editor's export format, version 5: parsing and writing, keeping what it does not know.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

struct REG_LINE {
  // A value line has a name; any other line (comment, blank, a type this layer does not read) keeps
  // its raw text and is written back as it stood.
  std::optional<std::wstring> name;
  DWORD type = REG_NONE;
  std::wstring text;  // REG_SZ: the value; REG_NONE: the raw line(s)
  DWORD dword = 0;
};

struct REG_SECTION {
  std::wstring path;  // e.g. HKEY_CURRENT_USER\Software\X
  std::vector<REG_LINE> lines;
};

struct REG_DOCUMENT {
  std::vector<std::wstring> preamble;  // lines between the header and the first section
  std::vector<REG_SECTION> sections;

  REG_SECTION* FindSection(const std::wstring& path);
  // The section, added at the end when missing.
  REG_SECTION& AddSection(const std::wstring& path);
};

// Parses UTF-8 text; nullopt when it is not a registry file that can be read safely.
std::optional<REG_DOCUMENT> ParseRegFile(const std::string& utf8);
std::string WriteRegFile(const REG_DOCUMENT& document);
bool EqualNoCase(const std::wstring& a, const std::wstring& b);
REG_LINE* FindValue(REG_SECTION& section, const std::wstring& name);
