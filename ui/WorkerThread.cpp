// Creating the worker thread, and ending it when the dialog goes.
#include "audio/RecordSoundDirect.h"
#include "ui/ZelvoDlg.h"

namespace {
// Long enough for a stop with its pause and close; short enough that a stuck library cannot hang the exit.
constexpr DWORD kWorkerEndTimeoutMs = 5000;
}  // namespace

void CZelvoDlg::CreateWorkerThread() {
  m_pWorker = new CRecordSoundDirect;
  m_pWorker->CreateThread(0, 0, nullptr);
}

void CZelvoDlg::EndWorkerThread() {
  if (!m_pWorker) return;
  // The worker deletes itself when it ends; keep what is needed to wait for it.
  HANDLE hThread = m_pWorker->m_hThread;
  if (PostThreadMessageW(m_pWorker->m_nThreadID, WM_AUDIO_QUIT, 0, 0)) WaitForSingleObject(hThread, kWorkerEndTimeoutMs);
  m_pWorker = nullptr;
}

void CZelvoDlg::ApplyWorkerPriority(int nPriority) {
  if (m_pWorker) SetThreadPriority(m_pWorker->m_hThread, nPriority);
}
