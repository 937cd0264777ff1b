// The dialog templates, strings, icons and bitmaps of the program.
#include "ui/resource.h"

namespace {

constexpr DWORD kVisibleTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kDropDown = CBS_DROPDOWN | WS_VSCROLL | kVisibleTab;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | kVisibleTab;
constexpr DWORD kLabel = SS_LEFT | WS_VISIBLE;

using enum AfxCtrlClass;

const AFX_DLGITEM kMainItems[] = {
    {IDOK, Button, L"Start", 239, 18, 50, 14, BS_DEFPUSHBUTTON | kVisibleTab},
    {IDC_INPUT_DEVICE, ComboBox, L"", 7, 19, 109, 30, kDropDown},
    {IDC_OUTPUT_DEVICE, ComboBox, L"", 127, 19, 109, 30, kDropDown},
    {IDC_ABOUT, Button, L"About", 239, 129, 50, 14, BS_PUSHBUTTON | kVisibleTab},
    {IDC_STATIC, Static, L"Input Device:", 7, 9, 44, 8, kLabel},
    {IDC_STATIC, Static, L"Output Device:", 128, 10, 50, 8, kLabel},
    {IDC_MIN_TO_TRAY, Button, L"Minimize to System Tray", 7, 91, 93, 10, kCheckBox},
    {IDC_AUTORUN, Button, L"Automatically Start When I log on ", 7, 102, 126, 10, kCheckBox},
    {IDC_AUTOLOAD, Button, L"After Start, Execute", 7, 113, 81, 10, kCheckBox},
    {IDC_BROWSE, Button, L"...", 275, 112, 14, 12, BS_PUSHBUTTON | kVisibleTab},
    {IDC_AUTOLOAD_NAME, Edit, L"", 88, 112, 185, 12, ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | kVisibleTab},
    {IDC_QUIT, Button, L"Quit", 185, 129, 50, 14, BS_PUSHBUTTON | kVisibleTab},
    {IDC_STATIC, Static, L">", 119, 21, 8, 8, kLabel},
    {IDC_OUTPUT_VOLUME, Trackbar, L"", 100, 128, 37, 15, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
    {IDC_STATIC, Static, L"Output Volume:  MIN", 28, 131, 71, 8, SS_RIGHT},
    {IDC_STATIC, Static, L"MAX", 137, 132, 15, 8, SS_LEFT},
    {IDC_STATIC, Static, L"Background Thread Priority:", 15, 39, 90, 8, kLabel},
    {IDC_PRIORITY, Trackbar, L"", 122, 36, 97, 14, TBS_HORZ | TBS_NOTICKS | kVisibleTab},
    {IDC_PRIORITY_NAME, Edit, L"", 221, 39, 68, 12, ES_AUTOHSCROLL | ES_READONLY | WS_VISIBLE},
    {IDC_STATIC, Static, L"IDLE", 108, 39, 16, 8, kLabel},
    {IDC_SAMPLE_RATE, ComboBox, L"", 128, 57, 108, 115, kDropDown},
    {IDC_STATIC, Static, L"Supported Sampling Rate:", 38, 58, 84, 8, SS_RIGHT | WS_VISIBLE},
    {IDC_STATIC, Static, L"Hertz", 239, 59, 18, 8, kLabel},
    {IDC_STATIC, Static, L"Sampling Format:", 17, 77, 106, 8, SS_RIGHT | WS_VISIBLE},
    {IDC_SAMPLE_FORMAT, ComboBox, L"", 128, 75, 108, 115, kDropDown},
};

const AFX_DLGITEM kAboutItems[] = {
    {IDC_STATIC, Static, nullptr, 0, 0, 233, 40, SS_BITMAP | WS_VISIBLE, IDB_ABOUT_BANNER},
    {IDC_STATIC, Static, L"Zelvo v1.5.1", 7, 46, 219, 8, SS_CENTER | WS_VISIBLE},
    {IDOK, Button, L"OK", 176, 60, 50, 16, BS_DEFPUSHBUTTON | kVisibleTab},
};

const AFX_DLGTEMPLATE kTemplates[] = {
    {IDD_ZELVO_DIALOG, L"Zelvo v1.5.1", 296, 151, L"MS Shell Dlg", 8,
     DS_MODALFRAME | WS_MINIMIZEBOX | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, WS_EX_APPWINDOW, kMainItems},
    {IDD_ABOUTBOX, L"About Zelvo", 233, 82, L"MS Shell Dlg", 8, DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
     WS_EX_TOOLWINDOW, kAboutItems},
};

const AFX_STRINGRES kStrings[] = {
    {IDS_ABOUTBOX, L"&About Zelvo..."},
};

const char* const kMainFrameImages[] = {":/zelvo/mainframe_48.png", ":/zelvo/mainframe_32.png",
                                        ":/zelvo/mainframe_16.png"};
const char* const kBannerImages[] = {":/zelvo/about_banner.png"};

const AFX_IMAGERES kIcons[] = {{IDR_MAINFRAME, kMainFrameImages}};
const AFX_IMAGERES kBitmaps[] = {{IDB_ABOUT_BANNER, kBannerImages}};

}  // namespace

const AFX_RESOURCES g_zelvoResources = {kTemplates, kStrings, kIcons, kBitmaps};
