// The stream a start request opens, and the rules that derive it from the user's choices.
#pragma once

#include <RtAudio.h>

#include "platform/Platform.h"

struct STREAM_SETUP {
  RtAudio::StreamParameters input;
  RtAudio::StreamParameters output;
  RtAudioFormat format;
  unsigned int sampleRate;
  unsigned int bufferFrames;
  int bytesPerSample;
};

// Frames per buffer that keep every buffer at 512 frames' length at 44100 Hz: rate * 512 / 44100,
// truncated toward zero.
unsigned int BufferFramesForRate(int nRate);
// Bytes of one sample of a format in the library's buffers; nPrevious for a flag it does not know.
int BytesPerSampleForFormat(RtAudioFormat format, int nPrevious);
// "DIRECTPLAY: " and the library's text, cut so that the whole fits 259 characters.
CString FormatAudioFailure(const char* pszLibraryText);
