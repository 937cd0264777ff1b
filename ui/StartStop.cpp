// Start/Stop, and moving the settings between the fields and the controls.
#include <memory>

#include "audio/RecordSoundDirect.h"
#include "ui/DeviceChoice.h"
#include "ui/ZelvoDlg.h"

namespace {
const UINT kLockedWhileRunning[] = {IDC_OUTPUT_DEVICE, IDC_INPUT_DEVICE, IDC_SAMPLE_RATE, IDC_SAMPLE_FORMAT};
}  // namespace

void CZelvoDlg::OnStartStop() {
  if (!m_bRunning) {
    GatherSettings();
    if (m_pWorker) {
      m_pWorker->m_inputParams.deviceId = static_cast<unsigned int>(m_nInputDevice);
      m_pWorker->m_outputParams.deviceId = static_cast<unsigned int>(m_nOutputDevice);
      m_pWorker->SetStreamParameters(m_nSampleRate, m_nFormatFlag);
      ApplyWorkerPriority(m_aPriorityValues[m_nPriority]);
      // The request carries its own copy of the parameters, so that a later start cannot change
      // them while the worker is still busy with this one.
      auto pSetup = std::make_unique<STREAM_SETUP>(m_pWorker->GetStreamSetup());
      if (PostThreadMessageW(m_pWorker->m_nThreadID, WM_AUDIO_START, 0, reinterpret_cast<LPARAM>(pSetup.get())))
        pSetup.release();
    }
    m_bRunning = true;
    for (UINT nID : kLockedWhileRunning) GetDlgItem(static_cast<int>(nID))->EnableWindow(FALSE);
  } else {
    if (m_pWorker) PostThreadMessageW(m_pWorker->m_nThreadID, WM_AUDIO_STOP, 0, 0);
    ApplyWorkerPriority(THREAD_PRIORITY_BELOW_NORMAL);
    m_bRunning = false;
    for (UINT nID : kLockedWhileRunning) GetDlgItem(static_cast<int>(nID))->EnableWindow(TRUE);
  }
  RefreshControls();
}

void CZelvoDlg::RefreshControls() {
  SetDlgItemText(IDOK, m_bRunning ? L"Stop" : L"Start");
  Button(IDC_MIN_TO_TRAY)->SetCheck(m_bMinToTray ? BST_CHECKED : BST_UNCHECKED);
  Button(IDC_AUTORUN)->SetCheck(m_bAutoRun ? BST_CHECKED : BST_UNCHECKED);
  Button(IDC_AUTOLOAD)->SetCheck(m_bAutoLoad ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_AUTOLOAD_NAME, m_strAutoLoadName);

  for (auto [nID, pName] : {std::pair{IDC_INPUT_DEVICE, &m_strInputDevName}, std::pair{IDC_OUTPUT_DEVICE, &m_strOutputDevName}}) {
    CComboBox* pList = Combo(nID);
    const int nFound = pList->FindString(-1, *pName);
    pList->SetCurSel(nFound == CB_ERR ? 0 : nFound);
  }

  Slider(IDC_OUTPUT_VOLUME)->SetPos(m_nOutputVolume);
  Slider(IDC_PRIORITY)->SetPos(m_nPriority);

  CComboBox* pRates = Combo(IDC_SAMPLE_RATE);
  for (int i = 0; i < pRates->GetCount(); ++i) {
    CString strRate;
    pRates->GetLBText(i, strRate);
    if (ReadRateText(strRate) == m_nSampleRate) {
      pRates->SetCurSel(i);
      break;
    }
  }

  m_nPriority = Slider(IDC_PRIORITY)->GetPos();
  SetDlgItemText(IDC_PRIORITY_NAME, m_aPriorityNames[m_nPriority]);
  if (m_bRunning) ApplyWorkerPriority(m_aPriorityValues[m_nPriority]);
}

void CZelvoDlg::GatherSettings() {
  m_bMinToTray = Button(IDC_MIN_TO_TRAY)->GetCheck() != BST_UNCHECKED;
  m_bAutoRun = Button(IDC_AUTORUN)->GetCheck() != BST_UNCHECKED;
  m_bAutoLoad = Button(IDC_AUTOLOAD)->GetCheck() != BST_UNCHECKED;
  GetDlgItemText(IDC_AUTOLOAD_NAME, m_strAutoLoadName);

  const int nInput = Combo(IDC_INPUT_DEVICE)->GetCurSel();
  m_nInputDevice = nInput == CB_ERR ? 0 : static_cast<int>(m_aInputDeviceMap[nInput]);
  GetDlgItemText(IDC_INPUT_DEVICE, m_strInputDevName);
  const int nOutput = Combo(IDC_OUTPUT_DEVICE)->GetCurSel();
  m_nOutputDevice = nOutput == CB_ERR ? 0 : static_cast<int>(m_aOutputDeviceMap[nOutput]);
  GetDlgItemText(IDC_OUTPUT_DEVICE, m_strOutputDevName);

  // With no entry selected (text typed into the list) the first format stands.
  const int nFormat = Combo(IDC_SAMPLE_FORMAT)->GetCurSel();
  m_nFormatFlag = m_aFormatFlags[nFormat == CB_ERR ? 0 : nFormat];
  m_nOutputVolume = Slider(IDC_OUTPUT_VOLUME)->GetPos();
  m_nPriority = Slider(IDC_PRIORITY)->GetPos();
  OnSelchangeSampleRate();
}
