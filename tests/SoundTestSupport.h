// What the real-sound tests share: finding the test client among the library's devices, a thread
// that counts stop notices, and the quantisation of each format.
#pragma once

#include <RtAudio.h>

#include <atomic>

#include "audio/RecordSoundDirect.h"
#include "platform/Platform.h"

// The library's index of the device with that name; fails the test when there is none.
unsigned int FindDevice(RtAudio& audio, const std::string& name);

// The largest round-trip error a format may add to a signal below 0.5 in magnitude.
float FormatTolerance(RtAudioFormat format);

class CNotifyThread : public CWinThread {
public:
  CNotifyThread();
  ~CNotifyThread() override;
  BOOL InitInstance() override { return TRUE; }
  std::atomic<int> m_nStopped{0};

protected:
  void OnStopped(WPARAM, LPARAM) { ++m_nStopped; }
  DECLARE_MESSAGE_MAP()
};

// Creates a worker thread and ends it (quit request, bounded wait) when it goes out of scope.
class CWorkerUnderTest {
public:
  CWorkerUnderTest();
  ~CWorkerUnderTest();
  CRecordSoundDirect* operator->() const { return m_pWorker; }
  CRecordSoundDirect* get() const { return m_pWorker; }
  void Post(UINT nMessage, LPARAM lParam = 0) const;
  // Posts the quit request and waits for the thread to end; true when it ended in time.
  bool Quit(DWORD dwTimeoutMs = 5000);

private:
  CRecordSoundDirect* m_pWorker;
  HANDLE m_hThread;
  DWORD m_nThreadID;
  bool m_bEnded = false;
};
