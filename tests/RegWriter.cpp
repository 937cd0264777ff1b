// Writes values into the registry file from a separate process, for the concurrency tests.
// Usage: reg_writer PREFIX COUNT [BIG]   writes PREFIX0..PREFIX<COUNT-1> as numbers, or with BIG as
// long strings over and over until killed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Registry.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string prefix = argv[1];
  const int nCount = std::atoi(argv[2]);
  const bool bBig = argc > 3;
  HKEY hKey = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZelvoTest\\Key", 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
    return 1;
  const std::wstring wprefix(prefix.begin(), prefix.end());
  for (int i = 0; bBig || i < nCount; ++i) {
    const std::wstring name = wprefix + std::to_wstring(bBig ? i % nCount : i);
    LONG nResult;
    if (bBig) {
      const std::wstring text(20000, static_cast<wchar_t>(L'a' + i % 26));
      nResult = RegSetValueExW(hKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    } else {
      const DWORD value = static_cast<DWORD>(i);
      nResult = RegSetValueExW(hKey, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }
    if (nResult != ERROR_SUCCESS) return 1;
  }
  RegCloseKey(hKey);
  return 0;
}
