// The application object.
#pragma once

#include "platform/Platform.h"

class CZelvoApp : public CWinApp {
public:
  CZelvoApp();
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

extern CZelvoApp theApp;
// The shell's "TaskbarCreated" broadcast, registered before the dialog exists.
extern const UINT WM_TASKBARCREATED;
