// The About box.
#pragma once

#include "platform/Platform.h"
#include "ui/resource.h"

class CAboutDlg : public CDialog {
public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
