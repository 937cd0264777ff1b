// Basic types, constants and message numbers of the Windows interface the program is written against.
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HANDLE = void*;
using HICON = void*;
using HCURSOR = void*;
using LPCWSTR = const wchar_t*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;

constexpr WORD LOWORD(WPARAM w) { return static_cast<WORD>(w & 0xFFFF); }
constexpr WORD HIWORD(WPARAM w) { return static_cast<WORD>((w >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return static_cast<WPARAM>(lo) | (static_cast<WPARAM>(hi) << 16); }

// Window messages.
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_USER = 0x0400;

// System commands.
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_CLOSE = 0xF060;

// Dialog command identifiers and message box results.
constexpr UINT IDOK = 1;
constexpr UINT IDCANCEL = 2;
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONMASK = 0x00F0;

// Notification codes.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT NM_RELEASEDCAPTURE = static_cast<UINT>(-16);

// Check box states.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

constexpr int CB_ERR = -1;

// Thread priority levels.
constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

// System metrics.
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;

struct NMHDR {
  void* hwndFrom;
  UINT idFrom;
  UINT code;
};

struct MSG {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct RECT {
  LONG left, top, right, bottom;
};
