// The application object, the common-controls calls and the message box.
#pragma once

#include <functional>

#include "platform/CString.h"
#include "platform/Threads.h"

constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CWinThread {
public:
  CWinApp();
  ~CWinApp() override;

  // The program's start-up; FALSE ends the program without running a message loop.
  BOOL InitInstance() override { return TRUE; }
  // The user-interface thread's event loop.
  int Run() override;
  // Places the profile under HKEY_CURRENT_USER\Software\<key>\<application name>.
  void SetRegistryKey(LPCWSTR lpszRegistryKey);

  // The profile: values of a section key, opened with create semantics at each level on every access.
  CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
  // A REG_DWORD value, or the default when missing or of another type.
  UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
  BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
  BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);

  // The program file's base name without its extension.
  const wchar_t* m_pszAppName;
  const wchar_t* m_pszRegistryKey = nullptr;

protected:
  void OnHelp() {}

  DECLARE_MESSAGE_MAP()

private:
  CString m_strAppName;
  CString m_strRegistryKey;
};

CWinApp* AfxGetApp();

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
// Nothing to prepare on Linux: the toolkit's controls are always available.
inline BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) { return TRUE; }
inline void AfxEnableControlContainer() {}

// Shows a message box with the application's name as caption, owned by the main window, on the
// user-interface thread; a caller on another thread waits until it is dismissed. Without an icon in
// nType the exclamation icon is used.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// Tests answer message boxes with a hook, called on the user-interface thread in place of the box.
using AfxMessageBoxHook = std::function<int(const CString& text, const CString& caption, UINT nType)>;
void AfxSetMessageBoxHook(AfxMessageBoxHook hook);
