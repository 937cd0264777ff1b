// The application profile on the registry.
#include <memory>

#include "platform/App.h"
#include "platform/Registry.h"

namespace {

struct KeyCloser {
  void operator()(REG_KEY* hKey) const { RegCloseKey(hKey); }
};
using UniqueKey = std::unique_ptr<REG_KEY, KeyCloser>;

UniqueKey CreateSubKey(HKEY hParent, LPCWSTR lpszName) {
  HKEY hKey = nullptr;
  DWORD dwDisposition = 0;
  if (!hParent || RegCreateKeyExW(hParent, lpszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr,
                                  &hKey, &dwDisposition) != ERROR_SUCCESS)
    return nullptr;
  return UniqueKey(hKey);
}

UniqueKey OpenSectionKey(LPCWSTR lpszRegistryKey, LPCWSTR lpszAppName, LPCWSTR lpszSection) {
  if (!lpszRegistryKey) return nullptr;
  HKEY hSoftware = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_WRITE | KEY_READ, &hSoftware) != ERROR_SUCCESS) return nullptr;
  const UniqueKey software(hSoftware);
  const UniqueKey company = CreateSubKey(software.get(), lpszRegistryKey);
  const UniqueKey app = CreateSubKey(company.get(), lpszAppName);
  return CreateSubKey(app.get(), lpszSection);
}

}  // namespace

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault) {
  const CString strDefault(lpszDefault);
  const UniqueKey section = OpenSectionKey(m_pszRegistryKey, m_pszAppName, lpszSection);
  if (!section) return strDefault;
  DWORD dwType = 0;
  DWORD cbData = 0;
  if (RegQueryValueExW(section.get(), lpszEntry, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS || dwType != REG_SZ)
    return strDefault;
  std::wstring buffer(cbData / sizeof(wchar_t) + 1, L'\0');
  cbData = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegQueryValueExW(section.get(), lpszEntry, nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.data()), &cbData) != ERROR_SUCCESS ||
      dwType != REG_SZ)
    return strDefault;
  return CString(buffer.c_str());
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault) {
  const UniqueKey section = OpenSectionKey(m_pszRegistryKey, m_pszAppName, lpszSection);
  if (!section) return static_cast<UINT>(nDefault);
  DWORD dwType = 0;
  DWORD dwValue = 0;
  DWORD cbData = sizeof(dwValue);
  if (RegQueryValueExW(section.get(), lpszEntry, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cbData) != ERROR_SUCCESS ||
      dwType != REG_DWORD)
    return static_cast<UINT>(nDefault);
  return dwValue;
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue) {
  const UniqueKey section = OpenSectionKey(m_pszRegistryKey, m_pszAppName, lpszSection);
  if (!section || !lpszEntry) return FALSE;
  const std::wstring value = lpszValue ? lpszValue : L"";
  return RegSetValueExW(section.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue) {
  const UniqueKey section = OpenSectionKey(m_pszRegistryKey, m_pszAppName, lpszSection);
  if (!section || !lpszEntry) return FALSE;
  const DWORD dwValue = static_cast<DWORD>(nValue);
  return RegSetValueExW(section.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue)) ==
         ERROR_SUCCESS;
}
