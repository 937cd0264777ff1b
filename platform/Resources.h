// The program's resources: dialog templates in dialog units, strings, icons and bitmaps.
#pragma once

#include <span>

#include "platform/WinTypes.h"

// Window and control styles used by the templates.
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD DS_MODALFRAME = 0x00000080;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_TYPEMASK = 0xF;
constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD ES_READONLY = 0x800;
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_RIGHT = 0x2;
constexpr DWORD SS_BITMAP = 0xE;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD TBS_HORZ = 0x0;
constexpr DWORD TBS_NOTICKS = 0x10;

constexpr UINT IDC_STATIC = static_cast<UINT>(-1);

enum class AfxCtrlClass { Button, Edit, Static, ComboBox, Trackbar };

struct AFX_DLGITEM {
  UINT nID;
  AfxCtrlClass ctrlClass;
  const wchar_t* pszText;
  short x, y, cx, cy;
  DWORD dwStyle;
  UINT nImageID = 0;  // bitmap resource of an SS_BITMAP static
};

struct AFX_DLGTEMPLATE {
  UINT nID;
  const wchar_t* pszCaption;
  short cx, cy;
  const wchar_t* pszFont;
  WORD wPointSize;
  DWORD dwStyle;
  DWORD dwExStyle;
  std::span<const AFX_DLGITEM> items;
};

struct AFX_STRINGRES {
  UINT nID;
  const wchar_t* pszText;
};

// An icon or bitmap: its images as paths in the toolkit's resource system, one per size.
struct AFX_IMAGERES {
  UINT nID;
  std::span<const char* const> paths;
};

struct AFX_RESOURCES {
  std::span<const AFX_DLGTEMPLATE> templates;
  std::span<const AFX_STRINGRES> strings;
  std::span<const AFX_IMAGERES> icons;
  std::span<const AFX_IMAGERES> bitmaps;
};

// Makes a program's resources the ones the functions below look in; the tables must live as long.
void AfxSetResources(const AFX_RESOURCES* pResources);
const AFX_DLGTEMPLATE* AfxFindTemplate(UINT nID);
const wchar_t* AfxFindString(UINT nID);
const AFX_IMAGERES* AfxFindIcon(UINT nID);
const AFX_IMAGERES* AfxFindBitmap(UINT nID);
// The icon of a resource with all its sizes; loaded once and kept for the whole run. Null when unknown.
HICON AfxLoadIcon(UINT nID);
