#include "ui/DeviceChoice.h"

#include <algorithm>
#include <climits>
#include <cwctype>

DEVICE_LISTS ChooseDeviceLists(const std::vector<RtAudio::DeviceInfo>& devices, size_t nMaxEntries) {
  DEVICE_LISTS lists;
  for (unsigned int i = 0; i < devices.size(); ++i) {
    const RtAudio::DeviceInfo& info = devices[i];
    if (!info.probed) continue;
    if (info.inputChannels > 0 && lists.inputs.size() < nMaxEntries) lists.inputs.push_back({i, info.name});
    if (info.outputChannels > 0 && lists.outputs.size() < nMaxEntries) lists.outputs.push_back({i, info.name});
  }
  return lists;
}

std::vector<unsigned int> CommonSampleRates(const std::vector<unsigned int>& inputRates,
                                            const std::vector<unsigned int>& outputRates) {
  std::vector<unsigned int> rates;
  for (unsigned int nRate : inputRates)
    if (nRate < 100000 && std::find(outputRates.begin(), outputRates.end(), nRate) != outputRates.end())
      rates.push_back(nRate);
  return rates;
}

int ReadRateText(const wchar_t* pszText) {
  const wchar_t* p = pszText;
  while (*p && std::iswspace(static_cast<wint_t>(*p))) ++p;
  const bool bNegative = *p == L'-';
  if (*p == L'-' || *p == L'+') ++p;
  long long nValue = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) nValue = std::min<long long>(nValue * 10 + (*p - L'0'), INT_MAX + 1LL);
  nValue = bNegative ? -nValue : nValue;
  return static_cast<int>(std::clamp<long long>(nValue, INT_MIN, INT_MAX));
}

int IconOffset(int nClient, int nIcon) { return (nClient - nIcon + 1) / 2; }
