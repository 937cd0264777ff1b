// Identifiers of the program's resources, commands and controls.
#pragma once

#include "platform/Platform.h"

constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDS_ABOUTBOX = 101;
constexpr UINT IDD_ZELVO_DIALOG = 102;
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDB_ABOUT_BANNER = 130;
constexpr UINT IDM_ABOUTBOX = 0x0010;

constexpr UINT IDC_INPUT_DEVICE = 1000;
constexpr UINT IDC_OUTPUT_DEVICE = 1001;
constexpr UINT IDC_ABOUT = 1002;
constexpr UINT IDC_MIN_TO_TRAY = 1003;
constexpr UINT IDC_AUTORUN = 1004;
constexpr UINT IDC_AUTOLOAD = 1005;
constexpr UINT IDC_BROWSE = 1006;
constexpr UINT IDC_AUTOLOAD_NAME = 1007;
constexpr UINT IDC_QUIT = 1008;
constexpr UINT IDC_OUTPUT_VOLUME = 1010;
constexpr UINT IDC_PRIORITY = 1011;
constexpr UINT IDC_PRIORITY_NAME = 1012;
constexpr UINT IDC_SAMPLE_RATE = 1013;
constexpr UINT IDC_SAMPLE_FORMAT = 1014;

// The resource tables of the program.
extern const AFX_RESOURCES g_zelvoResources;
