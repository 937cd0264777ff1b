// The worker thread that owns the duplex stream: it opens, starts, stops and closes it on request.
#pragma once

#include <RtAudio.h>

#include <atomic>

#include "audio/StreamSetup.h"
#include "platform/Platform.h"

constexpr UINT WM_AUDIO_START = WM_USER + 500;
constexpr UINT WM_AUDIO_STOP = WM_USER + 501;
constexpr UINT WM_AUDIO_QUIT = WM_USER + 503;
constexpr UINT WM_AUDIO_SETNOTIFY = WM_USER + 504;
constexpr UINT WM_AUDIO_STOPPED = WM_USER + 702;

class CRecordSoundDirect : public CWinThread {
  DECLARE_DYNCREATE(CRecordSoundDirect)

public:
  CRecordSoundDirect();
  ~CRecordSoundDirect() override;

  BOOL InitInstance() override { return TRUE; }

  // Derives the rate, buffer size, channels, format and sample size of the next stream.
  void SetStreamParameters(int nRate, RtAudioFormat formatFlag);
  // A copy of the stream fields as they stand, to hand over with a start request.
  STREAM_SETUP GetStreamSetup() const;
  // Bytes of one frame of the stream that is open, as fixed when it was opened.
  int GetOpenFrameBytes() const { return m_nOpenFrameBytes.load(std::memory_order_relaxed); }

  RtAudio m_rtAudio;
  RtAudio::StreamParameters m_inputParams;
  RtAudio::StreamParameters m_outputParams;
  RtAudioFormat m_format = RTAUDIO_SINT8;
  unsigned int m_sampleRate = 44100;
  unsigned int m_bufferFrames = 512;
  int m_bytesPerSample = 1;
  BOOL m_bStreaming = FALSE;
  CWinThread* m_pNotifyThread = nullptr;

protected:
  // lParam: a STREAM_SETUP allocated with new, which the handler takes over; 0 opens with the
  // stream fields as they stand.
  void OnAudioStart(WPARAM wParam, LPARAM lParam);
  void OnAudioStop(WPARAM wParam, LPARAM lParam);
  void OnAudioQuit(WPARAM wParam, LPARAM lParam);
  void OnAudioSetNotify(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

  // Set by this thread only while no stream is open. The callback reads the frame size as an atomic:
  // the library orders its callback thread after the open, but through means a race checker cannot see.
  STREAM_SETUP m_openSetup{};
  std::atomic<int> m_nOpenFrameBytes{0};

private:
  void ReportFailure(const RtAudioError& error);
  void CloseStream();
};

// The library's callback: copies each captured buffer unchanged into the playback buffer.
int DuplexCallback(void* pOutput, void* pInput, unsigned int nFrames, double streamTime, RtAudioStreamStatus status,
                   void* pUserData);
