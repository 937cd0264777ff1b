#include "app/ZelvoApp.h"

#include "ui/ZelvoDlg.h"

BEGIN_MESSAGE_MAP(CZelvoApp, CWinApp)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CZelvoApp theApp;
const UINT WM_TASKBARCREATED = RegisterWindowMessageW(L"TaskbarCreated");

CZelvoApp::CZelvoApp() { AfxSetResources(&g_zelvoResources); }

BOOL CZelvoApp::InitInstance() {
  INITCOMMONCONTROLSEX initCtrls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&initCtrls);
  CWinApp::InitInstance();
  AfxEnableControlContainer();
  SetRegistryKey(L"Local AppWizard-Generated Applications");

  {
    CZelvoDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}
