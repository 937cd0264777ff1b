#include "tests/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

unsigned int FindDevice(RtAudio& audio, const std::string& name) {
  const unsigned int nCount = audio.getDeviceCount();
  for (unsigned int i = 0; i < nCount; ++i)
    if (audio.getDeviceInfo(i).name == name) return i;
  ADD_FAILURE() << "no device named " << name << " among " << nCount;
  return 0;
}

float FormatTolerance(RtAudioFormat format) {
  switch (format) {
  case RTAUDIO_SINT8: return 1.5f / 128.0f;
  case RTAUDIO_SINT16: return 1.5f / 32768.0f;
  case RTAUDIO_SINT24: return 1.5f / 8388608.0f + 1e-7f;
  case RTAUDIO_SINT32: return 1e-6f;
  default: return 0.0f;  // floats come back unchanged
  }
}

BEGIN_MESSAGE_MAP(CNotifyThread, CWinThread)
  ON_THREAD_MESSAGE(WM_AUDIO_STOPPED, OnStopped)
END_MESSAGE_MAP()

CNotifyThread::CNotifyThread() {
  m_bAutoDelete = FALSE;
  CreateThread();
}

CNotifyThread::~CNotifyThread() {
  PostThreadMessageW(m_nThreadID, WM_QUIT, 0, 0);
  WaitForSingleObject(m_hThread, INFINITE);
}

CWorkerUnderTest::CWorkerUnderTest() : m_pWorker(new CRecordSoundDirect) {
  m_pWorker->CreateThread();
  m_hThread = m_pWorker->m_hThread;
  m_nThreadID = m_pWorker->m_nThreadID;
}

CWorkerUnderTest::~CWorkerUnderTest() { EXPECT_TRUE(Quit()); }

void CWorkerUnderTest::Post(UINT nMessage, LPARAM lParam) const {
  ASSERT_TRUE(PostThreadMessageW(m_nThreadID, nMessage, 0, lParam));
}

bool CWorkerUnderTest::Quit(DWORD dwTimeoutMs) {
  if (m_bEnded) return true;
  PostThreadMessageW(m_nThreadID, WM_AUDIO_QUIT, 0, 0);
  m_bEnded = WaitForSingleObject(m_hThread, dwTimeoutMs) == WAIT_OBJECT_0;
  return m_bEnded;
}
