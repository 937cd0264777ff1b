// The decisions behind the device, rate and format lists, as plain functions.
#pragma once

#include <RtAudio.h>

#include <string>
#include <vector>

struct DEVICE_ENTRY {
  unsigned int nDevice;
  std::string name;
};

struct DEVICE_LISTS {
  std::vector<DEVICE_ENTRY> inputs;
  std::vector<DEVICE_ENTRY> outputs;
};

// Each probed device goes into the input list when it has input channels and into the output list
// when it has output channels, in device order; a list stops growing at nMaxEntries.
DEVICE_LISTS ChooseDeviceLists(const std::vector<RtAudio::DeviceInfo>& devices, size_t nMaxEntries);
// The input device's rates below 100000 Hz that the output device also reports, in the input's order.
std::vector<unsigned int> CommonSampleRates(const std::vector<unsigned int>& inputRates,
                                            const std::vector<unsigned int>& outputRates);
// A rate entry's text read as a decimal number: leading blanks and a sign accepted, reading stops at
// the first character that is not a digit, 0 when there is no digit.
int ReadRateText(const wchar_t* pszText);
// Where an icon goes to be centred in a client area, rounding as the window does.
int IconOffset(int nClient, int nIcon);
