// Loading the user's choices at start-up and saving them at Quit.
#include "ui/ZelvoDlg.h"

void CZelvoDlg::LoadSettings() {
  CWinApp* pApp = AfxGetApp();
  m_strInputDevName = pApp->GetProfileString(m_strSection, m_strInputDevNameValue, L"");
  m_strOutputDevName = pApp->GetProfileString(m_strSection, m_strOutputDevNameValue, L"");
  m_bMinToTray = pApp->GetProfileInt(m_strSection, m_strMinToTrayValue, m_bMinToTray) != 0;
  m_bAutoRun = pApp->GetProfileInt(m_strSection, m_strAutoRunValue, m_bAutoRun) != 0;
  m_bAutoLoad = pApp->GetProfileInt(m_strSection, m_strAutoLoadValue, m_bAutoLoad) != 0;
  m_nOutputVolume = static_cast<int>(pApp->GetProfileInt(m_strSection, m_strOutputVolumeValue, m_nOutputVolume));
  m_nPriority = static_cast<int>(pApp->GetProfileInt(m_strSection, m_strPriorityValue, m_nPriority));
  m_nSampleRate = static_cast<int>(pApp->GetProfileInt(m_strSection, m_strFormatValue, m_nSampleRate));
  m_strAutoLoadName = pApp->GetProfileString(m_strSection, m_strAutoLoadNameValue, L"");
}

void CZelvoDlg::SaveSettings() {
  GatherSettings();
  CWinApp* pApp = AfxGetApp();
  pApp->WriteProfileString(m_strSection, m_strInputDevNameValue, m_strInputDevName);
  pApp->WriteProfileString(m_strSection, m_strOutputDevNameValue, m_strOutputDevName);
  pApp->WriteProfileInt(m_strSection, m_strMinToTrayValue, m_bMinToTray);
  pApp->WriteProfileInt(m_strSection, m_strAutoRunValue, m_bAutoRun);
  pApp->WriteProfileInt(m_strSection, m_strAutoLoadValue, m_bAutoLoad);
  pApp->WriteProfileInt(m_strSection, m_strOutputVolumeValue, m_nOutputVolume);
  pApp->WriteProfileInt(m_strSection, m_strPriorityValue, m_nPriority);
  pApp->WriteProfileInt(m_strSection, m_strFormatValue, m_nSampleRate);
  pApp->WriteProfileString(m_strSection, m_strAutoLoadNameValue, m_strAutoLoadName);
}
