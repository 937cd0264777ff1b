#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstring>
#include <functional>

struct REG_KEY {
  std::wstring path;  // full path, beginning with the root's name
};

namespace {

REG_KEY g_currentUser{L"HKEY_CURRENT_USER"};

QString ConfigDir() {
  const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
  const QString base = xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : QString::fromLocal8Bit(xdg);
  return base + QStringLiteral("/zelvo");
}

// Holds the advisory lock on the registry from reading the file to replacing it.
class FileLock {
public:
  explicit FileLock(const QString& path) : m_fd(open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (m_fd >= 0) flock(m_fd, LOCK_EX);
  }
  ~FileLock() {
    if (m_fd >= 0) close(m_fd);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool IsHeld() const { return m_fd >= 0; }

private:
  int m_fd;
};

// Moves a file that cannot be read out of the way, under a name no other file has.
void KeepAside(const QString& path) {
  const QString stem = path + QStringLiteral(".damaged-") + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss"));
  QString target = stem;
  for (int n = 1; QFile::exists(target); ++n) target = stem + QLatin1Char('-') + QString::number(n);
  QFile::rename(path, target);
}

// Runs one access on the registry under the lock; a change is written back atomically when fn returns true.
LONG Transact(const std::function<LONG(REG_DOCUMENT&, bool& bChanged)>& fn) {
  const QString dir = ConfigDir();
  if (!QDir().mkpath(dir)) return ERROR_ACCESS_DENIED;
  const QString path = dir + QStringLiteral("/user.reg");
  const FileLock lock(path + QStringLiteral(".lock"));
  if (!lock.IsHeld()) return ERROR_ACCESS_DENIED;

  REG_DOCUMENT document;
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.readAll();
    file.close();
    if (std::optional<REG_DOCUMENT> parsed = ParseRegFile(bytes.toStdString())) document = std::move(*parsed);
    else KeepAside(path);
  }
  bool bChanged = false;
  const LONG nResult = fn(document, bChanged);
  if (!bChanged) return nResult;

  QSaveFile out(path);
  const std::string text = WriteRegFile(document);
  if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
    return ERROR_ACCESS_DENIED;
  return out.commit() ? nResult : ERROR_ACCESS_DENIED;
}

std::wstring Join(HKEY hKey, LPCWSTR lpSubKey) {
  std::wstring path = hKey->path;
  if (lpSubKey && *lpSubKey) path += L"\\" + std::wstring(lpSubKey);
  while (path.ends_with(L'\\')) path.pop_back();
  return path;
}

bool KeyExists(REG_DOCUMENT& document, const std::wstring& path) {
  for (const REG_SECTION& section : document.sections)
    if (EqualNoCase(section.path, path) ||
        (section.path.size() > path.size() && section.path[path.size()] == L'\\' && EqualNoCase(section.path.substr(0, path.size()), path)))
      return true;
  return false;
}

bool IsCurrentUser(HKEY hKey) {
  return hKey && (hKey == HKEY_CURRENT_USER || hKey->path.rfind(g_currentUser.path + L"\\", 0) == 0);
}

}  // namespace

const HKEY HKEY_CURRENT_USER = &g_currentUser;

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, HKEY* phkResult) {
  if (!IsCurrentUser(hKey) || !phkResult) return ERROR_INVALID_HANDLE;
  const std::wstring path = Join(hKey, lpSubKey);
  // The user's Software key always exists, as it does on Windows.
  const bool bSoftware = EqualNoCase(path, g_currentUser.path + L"\\Software");
  const LONG nResult = bSoftware ? ERROR_SUCCESS : Transact([&](REG_DOCUMENT& document, bool&) {
    return KeyExists(document, path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
  if (nResult == ERROR_SUCCESS) *phkResult = new REG_KEY{path};
  return nResult;
}

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, wchar_t*, DWORD, REGSAM, void*, HKEY* phkResult, DWORD* lpdwDisposition) {
  if (!IsCurrentUser(hKey) || !phkResult) return ERROR_INVALID_HANDLE;
  const std::wstring path = Join(hKey, lpSubKey);
  bool bCreated = false;
  const LONG nResult = Transact([&](REG_DOCUMENT& document, bool& bChanged) {
    if (KeyExists(document, path)) return ERROR_SUCCESS;
    document.AddSection(path);
    bCreated = bChanged = true;
    return ERROR_SUCCESS;
  });
  if (nResult != ERROR_SUCCESS) return nResult;
  if (lpdwDisposition) *lpdwDisposition = bCreated ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *phkResult = new REG_KEY{path};
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD*, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
  if (!IsCurrentUser(hKey)) return ERROR_INVALID_HANDLE;
  const std::wstring name = lpValueName ? lpValueName : L"";
  return Transact([&](REG_DOCUMENT& document, bool&) {
    REG_SECTION* pSection = document.FindSection(hKey->path);
    REG_LINE* pValue = pSection ? FindValue(*pSection, name) : nullptr;
    if (!pValue) return ERROR_FILE_NOT_FOUND;
    if (pValue->type == REG_NONE) return ERROR_UNSUPPORTED_TYPE;
    if (lpType) *lpType = pValue->type;
    const void* pSource = pValue->type == REG_SZ ? static_cast<const void*>(pValue->text.c_str()) : &pValue->dword;
    const DWORD cbNeeded = pValue->type == REG_SZ ? static_cast<DWORD>((pValue->text.size() + 1) * sizeof(wchar_t)) : sizeof(DWORD);
    if (!lpcbData) return lpData ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD cbRoom = *lpcbData;
    *lpcbData = cbNeeded;
    if (!lpData) return ERROR_SUCCESS;
    if (cbRoom < cbNeeded) return ERROR_MORE_DATA;
    std::memcpy(lpData, pSource, cbNeeded);
    return ERROR_SUCCESS;
  });
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  if (!IsCurrentUser(hKey)) return ERROR_INVALID_HANDLE;
  REG_LINE value{std::wstring(lpValueName ? lpValueName : L""), dwType, {}, 0};
  if (dwType == REG_DWORD && lpData && cbData == sizeof(DWORD)) {
    std::memcpy(&value.dword, lpData, sizeof(DWORD));
  } else if (dwType == REG_SZ && lpData) {
    const auto* psz = reinterpret_cast<const wchar_t*>(lpData);
    value.text.assign(psz, wcsnlen(psz, cbData / sizeof(wchar_t)));
    // A line break cannot be written in this format without breaking the file.
    if (value.text.find_first_of(L"\r\n") != std::wstring::npos) return ERROR_INVALID_PARAMETER;
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  return Transact([&](REG_DOCUMENT& document, bool& bChanged) {
    REG_SECTION& section = document.AddSection(hKey->path);
    bChanged = true;
    if (REG_LINE* pOld = FindValue(section, *value.name)) {
      *pOld = value;
      return ERROR_SUCCESS;
    }
    // A new value goes after the last value, before the blank lines that close the section.
    auto it = section.lines.end();
    while (it != section.lines.begin() && !std::prev(it)->name && std::prev(it)->text.empty()) --it;
    section.lines.insert(it, value);
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  if (!IsCurrentUser(hKey)) return ERROR_INVALID_HANDLE;
  const std::wstring name = lpValueName ? lpValueName : L"";
  return Transact([&](REG_DOCUMENT& document, bool& bChanged) {
    REG_SECTION* pSection = document.FindSection(hKey->path);
    if (!pSection) return ERROR_FILE_NOT_FOUND;
    REG_LINE* pValue = FindValue(*pSection, name);
    if (!pValue) return ERROR_FILE_NOT_FOUND;
    pSection->lines.erase(pSection->lines.begin() + (pValue - pSection->lines.data()));
    bChanged = true;
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY hKey) {
  if (!hKey || hKey == HKEY_CURRENT_USER) return ERROR_INVALID_HANDLE;
  delete hKey;
  return ERROR_SUCCESS;
}
