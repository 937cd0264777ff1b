#include "audio/RecordSoundDirect.h"

#include <cstring>
#include <memory>

IMPLEMENT_DYNCREATE(CRecordSoundDirect, 0xFFFF)

BEGIN_MESSAGE_MAP(CRecordSoundDirect, CWinThread)
  ON_THREAD_MESSAGE(WM_AUDIO_START, OnAudioStart)
  ON_THREAD_MESSAGE(WM_AUDIO_STOP, OnAudioStop)
  ON_THREAD_MESSAGE(WM_AUDIO_QUIT, OnAudioQuit)
  ON_THREAD_MESSAGE(WM_AUDIO_SETNOTIFY, OnAudioSetNotify)
END_MESSAGE_MAP()

CRecordSoundDirect::CRecordSoundDirect() {
  m_inputParams.deviceId = m_rtAudio.getDefaultInputDevice();
  m_inputParams.nChannels = 2;
  m_inputParams.firstChannel = 0;
  m_outputParams.deviceId = m_rtAudio.getDefaultOutputDevice();
  m_outputParams.nChannels = 2;
  m_outputParams.firstChannel = 0;
}

CRecordSoundDirect::~CRecordSoundDirect() = default;

void CRecordSoundDirect::SetStreamParameters(int nRate, RtAudioFormat formatFlag) {
  m_sampleRate = static_cast<unsigned int>(nRate);
  m_bufferFrames = BufferFramesForRate(nRate);
  m_inputParams.nChannels = 2;
  m_outputParams.nChannels = 2;
  m_format = formatFlag;
  m_bytesPerSample = BytesPerSampleForFormat(formatFlag, m_bytesPerSample);
}

STREAM_SETUP CRecordSoundDirect::GetStreamSetup() const {
  return STREAM_SETUP{m_inputParams, m_outputParams, m_format, m_sampleRate, m_bufferFrames, m_bytesPerSample};
}

void CRecordSoundDirect::OnAudioStart(WPARAM, LPARAM lParam) {
  const std::unique_ptr<STREAM_SETUP> pPosted(reinterpret_cast<STREAM_SETUP*>(lParam));
  if (m_bStreaming) return;
  m_openSetup = pPosted ? *pPosted : GetStreamSetup();
  m_nOpenFrameBytes.store(m_openSetup.bytesPerSample * static_cast<int>(m_openSetup.input.nChannels), std::memory_order_relaxed);
  try {
    m_rtAudio.openStream(&m_openSetup.output, &m_openSetup.input, m_openSetup.format, m_openSetup.sampleRate,
                         &m_openSetup.bufferFrames, &DuplexCallback, this);
  } catch (const RtAudioError& error) {
    ReportFailure(error);
    return;
  }
  try {
    m_rtAudio.startStream();
  } catch (const RtAudioError& error) {
    // A stream left open would refuse every later open; close it so the next start can succeed.
    CloseStream();
    ReportFailure(error);
    return;
  }
  m_bStreaming = TRUE;
}

void CRecordSoundDirect::OnAudioStop(WPARAM, LPARAM) {
  if (!m_bStreaming) return;
  m_bStreaming = FALSE;
  // When its server goes away the library closes the stream by itself; there is nothing left to stop.
  if (m_rtAudio.isStreamOpen()) {
    try {
      // Stopped without draining: the library's JACK drain waits on a condition it can miss, which
      // would hang this thread for good; a pass-through has nothing left to play out anyway.
      m_rtAudio.abortStream();
    } catch (const RtAudioError& error) {
      ReportFailure(error);
    }
  }
  Sleep(500);
  // Closed after a failed stop too, so that the next start is not refused.
  CloseStream();
  if (m_pNotifyThread) PostThreadMessageW(m_pNotifyThread->m_nThreadID, WM_AUDIO_STOPPED, 0, 0);
}

void CRecordSoundDirect::OnAudioQuit(WPARAM, LPARAM) {
  if (m_bStreaming) OnAudioStop(0, 0);
  PostQuitMessage(0);
}

void CRecordSoundDirect::OnAudioSetNotify(WPARAM, LPARAM lParam) {
  m_pNotifyThread = reinterpret_cast<CWinThread*>(lParam);
}

void CRecordSoundDirect::ReportFailure(const RtAudioError& error) {
  AfxMessageBox(FormatAudioFailure(error.getMessage().c_str()), MB_OK);
}

void CRecordSoundDirect::CloseStream() {
  if (!m_rtAudio.isStreamOpen()) return;
  try {
    m_rtAudio.closeStream();
  } catch (const RtAudioError& error) {
    ReportFailure(error);
  }
}

int DuplexCallback(void* pOutput, void* pInput, unsigned int nFrames, double, RtAudioStreamStatus, void* pUserData) {
  if (!pUserData) return 0;
  const auto* pWorker = static_cast<const CRecordSoundDirect*>(pUserData);
  std::memcpy(pOutput, pInput, static_cast<size_t>(pWorker->GetOpenFrameBytes()) * nFrames);
  return 0;
}
