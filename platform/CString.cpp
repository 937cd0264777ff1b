#include "platform/CString.h"

#include <QString>
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "platform/Resources.h"

CString::CString(const char* psz) : m_str(psz ? QString::fromLocal8Bit(psz).toStdWString() : std::wstring()) {}

BOOL CString::LoadString(UINT nID) {
  const wchar_t* pszText = AfxFindString(nID);
  if (!pszText) return FALSE;
  m_str = pszText;
  return TRUE;
}

void CString::Format(const wchar_t* pszFormat, ...) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list args;
    va_start(args, pszFormat);
    const int n = std::vswprintf(buffer.data(), buffer.size(), pszFormat, args);
    va_end(args);
    if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
      m_str.assign(buffer.data(), static_cast<size_t>(n));
      return;
    }
    if (buffer.size() >= (1u << 20)) {  // a format the C library cannot encode
      m_str.clear();
      return;
    }
    buffer.resize(buffer.size() * 2);
  }
}
