#include "audio/StreamSetup.h"

namespace {
constexpr int kMaxBoxText = 259;
const wchar_t kFailurePrefix[] = L"DIRECTPLAY: ";
}  // namespace

unsigned int BufferFramesForRate(int nRate) {
  return static_cast<unsigned int>(static_cast<int>(static_cast<long long>(nRate) * 512 / 44100));
}

int BytesPerSampleForFormat(RtAudioFormat format, int nPrevious) {
  switch (format) {
  case RTAUDIO_SINT8: return 1;
  case RTAUDIO_SINT16: return 2;
  case RTAUDIO_SINT24: return 3;  // packed in three bytes by this library version
  case RTAUDIO_SINT32: return 4;
  case RTAUDIO_FLOAT32: return 4;
  case RTAUDIO_FLOAT64: return 8;
  default: return nPrevious;
  }
}

CString FormatAudioFailure(const char* pszLibraryText) {
  std::wstring text = CString(pszLibraryText).str();
  const size_t nRoom = kMaxBoxText - (std::size(kFailurePrefix) - 1);
  if (text.size() > nRoom) text.resize(nRoom);
  return CString(std::wstring(kFailurePrefix) + text);
}
