// A wide-character string in the shape the program expects of the class library's string.
#pragma once

#include <string>

#include "platform/WinTypes.h"

class CString {
public:
  CString() = default;
  CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}
  CString(std::wstring str) : m_str(std::move(str)) {}
  // Narrow text is taken in the locale's encoding; invalid bytes become replacement characters.
  explicit CString(const char* psz);

  operator const wchar_t*() const { return m_str.c_str(); }
  const wchar_t* GetString() const { return m_str.c_str(); }
  const std::wstring& str() const { return m_str; }
  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }

  // Loads a string resource; false when the identifier is unknown.
  BOOL LoadString(UINT nID);
  // printf-style formatting into the string.
  void Format(const wchar_t* pszFormat, ...);

  CString& operator+=(const CString& other) { m_str += other.m_str; return *this; }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.m_str == (b ? b : L""); }

private:
  std::wstring m_str;
};
