// The main dialog's life: construction, initialisation, painting and every way it ends.
#include "ui/ZelvoDlg.h"

#include "ui/AboutDlg.h"
#include "ui/DeviceChoice.h"

BEGIN_MESSAGE_MAP(CZelvoDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDOK, OnStartStop)
  ON_BN_CLICKED(IDC_QUIT, OnQuit)
  ON_BN_CLICKED(IDC_ABOUT, OnAbout)
  ON_CBN_SELCHANGE(IDC_OUTPUT_DEVICE, OnSelchangeDevice)
  ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_PRIORITY, OnReleasedCapturePriority)
  ON_CBN_SELCHANGE(IDC_INPUT_DEVICE, OnSelchangeDevice)
  ON_CBN_SELCHANGE(IDC_SAMPLE_RATE, OnSelchangeSampleRate)
END_MESSAGE_MAP()

CZelvoDlg::CZelvoDlg() : CDialog(IDD_ZELVO_DIALOG, nullptr), m_hIcon(AfxLoadIcon(IDR_MAINFRAME)) {}

CZelvoDlg::~CZelvoDlg() {
  EndWorkerThread();
  m_menuTray.DestroyMenu();
}

BOOL CZelvoDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
    CString strAboutMenu;
    if (strAboutMenu.LoadString(IDS_ABOUTBOX) && !strAboutMenu.IsEmpty()) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
    }
  }
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_strSection = L"Kordani Zelvo";
  m_strInputDevNameValue = L"InputDevName";
  m_strOutputDevNameValue = L"OutputDevName";
  m_strMinToTrayValue = L"MinToTray";
  m_strAutoRunValue = L"AutoRun";
  m_strAutoLoadValue = L"AutoLoad";
  m_strAutoLoadNameValue = L"AutoLoadName";
  m_strOutputVolumeValue = L"OutputVolume";
  m_strPriorityValue = L"Priority";
  m_strFormatValue = L"Format";

  FillDeviceLists();
  GetDlgItem(IDC_OUTPUT_VOLUME)->EnableWindow(FALSE);
  CreateWorkerThread();
  LoadSettings();
  RefreshControls();
  if (m_bAutoRun) OnStartStop();
  return TRUE;
}

void CZelvoDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) OnAbout();
  else CDialog::OnSysCommand(nID, lParam);
}

void CZelvoDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, dc.GetSafeHdc(), 0);
  RECT rect;
  GetClientRect(&rect);
  const int x = IconOffset(rect.right - rect.left, GetSystemMetrics(SM_CXICON));
  const int y = IconOffset(rect.bottom - rect.top, GetSystemMetrics(SM_CYICON));
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CZelvoDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CZelvoDlg::OnQuit() {
  SaveSettings();
  OnOK();
}

void CZelvoDlg::OnOK() {
  if (m_bRunning) OnStartStop();
  CDialog::OnOK();
}

void CZelvoDlg::OnCancel() {
  if (m_bRunning) OnStartStop();
  CDialog::OnCancel();
}

void CZelvoDlg::OnAbout() {
  CAboutDlg dlgAbout;
  dlgAbout.DoModal();
}

void CZelvoDlg::OnReleasedCapturePriority(NMHDR*, LRESULT* pResult) {
  if (pResult) *pResult = 0;
  m_nPriority = Slider(IDC_PRIORITY)->GetPos();
  SetDlgItemText(IDC_PRIORITY_NAME, m_aPriorityNames[m_nPriority]);
  if (m_bRunning) ApplyWorkerPriority(m_aPriorityValues[m_nPriority]);
}
