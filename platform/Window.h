// Windows, controls and menus, on the toolkit's standard widgets.
#pragma once

#include <map>
#include <memory>

#include "platform/CString.h"
#include "platform/MessageMap.h"
#include "platform/WinTypes.h"

class QWidget;
class QMenu;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

class CMenu {
public:
  CMenu() = default;
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  BOOL CreatePopupMenu();
  BOOL AppendMenu(UINT nFlags, UINT nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;         // 0 for a separator
  CString GetMenuString(int nPos) const;
  BOOL DestroyMenu();
  QMenu* GetQMenu() const { return m_pMenu; }

private:
  QMenu* m_pMenu = nullptr;
};

class CWnd : public CCmdTarget {
public:
  CWnd() = default;
  explicit CWnd(QWidget* pWidget) : m_pWidget(pWidget) {}
  ~CWnd() override;

  void SetWindowText(LPCWSTR lpszString);
  void GetWindowText(CString& rString) const;
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemText(int nID, LPCWSTR lpszString);
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  void GetClientRect(RECT* pRect) const;
  CWnd* GetDlgItem(int nID) const;
  CMenu* GetSystemMenu(BOOL bRevert);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const { return bBigIcon ? m_hIconBig : m_hIconSmall; }

  // Handles a message at once: the message map first, then the default behaviour.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  QWidget* GetWidget() const { return m_pWidget; }

protected:
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default handling of WM_SYSCOMMAND and WM_PAINT, for handlers that pass a message on.
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint() {}

  QWidget* m_pWidget = nullptr;
  std::map<UINT, std::unique_ptr<CWnd>> m_children;
  std::unique_ptr<CMenu> m_pSystemMenu;
  HICON m_hIconBig = nullptr;
  HICON m_hIconSmall = nullptr;
};

class CButton : public CWnd {
public:
  using CWnd::CWnd;
  void SetCheck(int nCheck);
  int GetCheck() const;
};

class CEdit : public CWnd {
public:
  using CWnd::CWnd;
};

class CComboBox : public CWnd {
public:
  using CWnd::CWnd;
  void ResetContent();
  int AddString(LPCWSTR lpszString);
  // Selects an entry (-1: none) without a selection-change notification; CB_ERR when out of range.
  int SetCurSel(int nSelect);
  int GetCurSel() const;
  int GetCount() const;
  void GetLBText(int nIndex, CString& rString) const;
  // The first entry after nStartAfter (-1: from the top) whose text begins with the given text,
  // ignoring case; the search wraps round once. CB_ERR when none does.
  int FindString(int nStartAfter, LPCWSTR lpszString) const;
};

class CSliderCtrl : public CWnd {
public:
  using CWnd::CWnd;
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
  // Holds the position within the range.
  void SetPos(int nPos);
  int GetPos() const;
};

// Painting of a window's client area, for the duration of a WM_PAINT handler.
class CPaintDC {
public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC();
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  WPARAM GetSafeHdc() const { return reinterpret_cast<WPARAM>(this); }
  void DrawIcon(int x, int y, HICON hIcon);

private:
  struct Impl;
  std::unique_ptr<Impl> m_pImpl;
};

int GetSystemMetrics(int nIndex);
UINT RegisterWindowMessageW(LPCWSTR lpString);
