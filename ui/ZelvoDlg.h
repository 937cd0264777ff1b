// The main dialog: the user's choices, the device and format lists, and Start/Stop.
#pragma once

#include <RtAudio.h>

#include "platform/Platform.h"
#include "ui/resource.h"

class CRecordSoundDirect;

class CZelvoDlg : public CDialog {
public:
  CZelvoDlg();
  ~CZelvoDlg() override;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  // Start when stopped, stop when running.
  void OnStartStop();
  // Shows the settings fields in the controls.
  void RefreshControls();
  // Copies the controls' state into the settings fields.
  void GatherSettings();
  void FillDeviceLists();
  void RebuildSampleRates();
  void CreateWorkerThread();
  void LoadSettings();
  void SaveSettings();

  HICON m_hIcon;
  bool m_bRunning = false;
  int m_nSampleRate = -1;
  RtAudio m_audio;
  CRecordSoundDirect* m_pWorker = nullptr;
  UINT m_aInputDeviceMap[512] = {};
  UINT m_aOutputDeviceMap[512] = {};
  UINT m_aFormatFlags[6] = {RTAUDIO_SINT8, RTAUDIO_SINT16, RTAUDIO_SINT24, RTAUDIO_SINT32, RTAUDIO_FLOAT32, RTAUDIO_FLOAT64};
  UINT m_nFormatFlag = RTAUDIO_SINT8;
  CString m_strInputDevName;
  CString m_strOutputDevName;
  int m_nOutputVolume = 65535;
  int m_nInputDevice = -1;
  int m_nOutputDevice = -1;
  bool m_bMinToTray = false;
  bool m_bAutoRun = false;
  bool m_bAutoLoad = false;
  CString m_strAutoLoadName;
  int m_nPriority = 3;
  int m_aPriorityValues[7] = {THREAD_PRIORITY_IDLE,   THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL,
                              THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                              THREAD_PRIORITY_TIME_CRITICAL};
  CString m_aPriorityNames[7] = {L"IDLE",         L"LOWEST",  L"BELOW_NORMAL", L"NORMAL",
                                 L"ABOVE_NORMAL", L"HIGHEST", L"TIME_CRITICAL"};
  CString m_strSection;
  CString m_strInputDevNameValue;
  CString m_strOutputDevNameValue;
  CString m_strMinToTrayValue;
  CString m_strAutoRunValue;
  CString m_strAutoLoadValue;
  CString m_strAutoLoadNameValue;
  CString m_strOutputVolumeValue;
  CString m_strPriorityValue;
  CString m_strFormatValue;
  CString m_strRunValueName = L"Tavorine";
  BOOL m_bTrayReady = FALSE;
  BOOL m_bTrayIconShown = FALSE;
  CMenu m_menuTray;
  int m_nTrayStartPos = 0;

protected:
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnQuit();
  void OnAbout();
  void OnSelchangeDevice();
  void OnSelchangeSampleRate();
  void OnReleasedCapturePriority(NMHDR* pNMHDR, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()

private:
  // Tells the worker to stop and end, and waits a bounded time for it.
  void EndWorkerThread();
  void ApplyWorkerPriority(int nPriority);
  CComboBox* Combo(UINT nID) const { return static_cast<CComboBox*>(GetDlgItem(static_cast<int>(nID))); }
  CSliderCtrl* Slider(UINT nID) const { return static_cast<CSliderCtrl*>(GetDlgItem(static_cast<int>(nID))); }
  CButton* Button(UINT nID) const { return static_cast<CButton*>(GetDlgItem(static_cast<int>(nID))); }
};
