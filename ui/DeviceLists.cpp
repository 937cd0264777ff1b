// Filling the device, format and rate lists from the audio library, and reading the rate back.
#include <iterator>

#include "ui/DeviceChoice.h"
#include "ui/ZelvoDlg.h"

namespace {

const wchar_t* const kFormatNames[] = {L"Signed 8-bit Integer",    L"Signed 16-bit Integer",   L"Signed 24-bit Integer",
                                       L"Signed 32-bit Integer",   L"32-bit Normalized Float", L"64-bit Normalized Float"};

// The library's record of every device; a device it fails to describe counts as not probed.
std::vector<RtAudio::DeviceInfo> EnumerateDevices(RtAudio& audio) {
  std::vector<RtAudio::DeviceInfo> devices;
  unsigned int nCount = 0;
  try {
    nCount = audio.getDeviceCount();
  } catch (const RtAudioError&) {
    return devices;
  }
  for (unsigned int i = 0; i < nCount; ++i) {
    try {
      devices.push_back(audio.getDeviceInfo(i));
    } catch (const RtAudioError&) {
      devices.push_back(RtAudio::DeviceInfo{});
    }
  }
  return devices;
}

}  // namespace

void CZelvoDlg::FillDeviceLists() {
  CComboBox* pInputs = Combo(IDC_INPUT_DEVICE);
  CComboBox* pOutputs = Combo(IDC_OUTPUT_DEVICE);
  pInputs->ResetContent();
  pOutputs->ResetContent();

  const DEVICE_LISTS lists = ChooseDeviceLists(EnumerateDevices(m_audio), std::size(m_aInputDeviceMap));
  for (size_t k = 0; k < lists.inputs.size(); ++k) {
    pInputs->AddString(CString(lists.inputs[k].name.c_str()));
    m_aInputDeviceMap[k] = lists.inputs[k].nDevice;
  }
  for (size_t k = 0; k < lists.outputs.size(); ++k) {
    pOutputs->AddString(CString(lists.outputs[k].name.c_str()));
    m_aOutputDeviceMap[k] = lists.outputs[k].nDevice;
  }
  pInputs->SetCurSel(0);
  pOutputs->SetCurSel(0);

  CComboBox* pFormats = Combo(IDC_SAMPLE_FORMAT);
  for (const wchar_t* pszName : kFormatNames) pFormats->AddString(pszName);
  pFormats->SetCurSel(0);

  Slider(IDC_OUTPUT_VOLUME)->SetRange(0, 65535, FALSE);
  Slider(IDC_PRIORITY)->SetRange(0, 6, FALSE);
  RebuildSampleRates();
}

void CZelvoDlg::RebuildSampleRates() {
  CComboBox* pRates = Combo(IDC_SAMPLE_RATE);
  pRates->ResetContent();
  const int nInput = Combo(IDC_INPUT_DEVICE)->GetCurSel();
  const int nOutput = Combo(IDC_OUTPUT_DEVICE)->GetCurSel();
  if (nInput == CB_ERR || nOutput == CB_ERR) return;

  std::vector<unsigned int> rates;
  try {
    const RtAudio::DeviceInfo input = m_audio.getDeviceInfo(m_aInputDeviceMap[nInput]);
    const RtAudio::DeviceInfo output = m_audio.getDeviceInfo(m_aOutputDeviceMap[nOutput]);
    rates = CommonSampleRates(input.sampleRates, output.sampleRates);
  } catch (const RtAudioError&) {
    return;  // a device that has gone offers no rates
  }
  for (unsigned int nRate : rates) {
    CString strRate;
    strRate.Format(L"%d", static_cast<int>(nRate));
    pRates->AddString(strRate);
  }
  if (pRates->GetCount() > 0) pRates->SetCurSel(pRates->GetCount() - 1);
}

void CZelvoDlg::OnSelchangeDevice() { RebuildSampleRates(); }

void CZelvoDlg::OnSelchangeSampleRate() {
  CComboBox* pRates = Combo(IDC_SAMPLE_RATE);
  const int nSel = pRates->GetCurSel();
  m_nSampleRate = -1;
  if (nSel != CB_ERR) {
    CString strRate;
    pRates->GetLBText(nSel, strRate);
    m_nSampleRate = ReadRateText(strRate);
  }
}
