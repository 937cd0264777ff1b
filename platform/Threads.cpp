#include "platform/Threads.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct ThreadRecord {
  DWORD nId = 0;
  pid_t tid = 0;
  std::mutex mutex;
  std::condition_variable cv;
  std::deque<MSG> queue;
  bool bStarted = false;
  bool bEnded = false;
};

// Every thread created here, by identifier. Records stay after their thread ends, so that a handle
// kept by another thread stays valid; posting to an ended thread fails.
struct Registry {
  std::mutex mutex;
  std::map<DWORD, std::shared_ptr<ThreadRecord>> threads;
  DWORD nNextId = 0x10000000;  // above every Linux thread id
};

Registry& GetRegistry() {
  static Registry* pRegistry = new Registry;  // lives until the process ends, after any thread
  return *pRegistry;
}

std::shared_ptr<ThreadRecord> FindRecord(DWORD nId) {
  Registry& reg = GetRegistry();
  std::lock_guard lock(reg.mutex);
  auto it = reg.threads.find(nId);
  return it == reg.threads.end() ? nullptr : it->second;
}

thread_local ThreadRecord* t_pCurrent = nullptr;

ThreadRecord* FromHandle(HANDLE h) { return static_cast<ThreadRecord*>(h); }

}  // namespace

CWinThread::CWinThread() = default;
CWinThread::~CWinThread() = default;

BOOL CWinThread::CreateThread(DWORD, UINT, void*) {
  auto pRecord = std::make_shared<ThreadRecord>();
  {
    Registry& reg = GetRegistry();
    std::lock_guard lock(reg.mutex);
    pRecord->nId = reg.nNextId++;
    reg.threads[pRecord->nId] = pRecord;
  }
  m_nThreadID = pRecord->nId;
  m_hThread = pRecord.get();
  std::thread([this, pRecord] {
    {
      std::lock_guard lock(pRecord->mutex);
      pRecord->tid = gettid();
      pRecord->bStarted = true;
    }
    pRecord->cv.notify_all();
    t_pCurrent = pRecord.get();
    ThreadMain();
    {
      std::lock_guard lock(pRecord->mutex);
      pRecord->bEnded = true;
      pRecord->queue.clear();
    }
    pRecord->cv.notify_all();
  }).detach();
  std::unique_lock lock(pRecord->mutex);
  pRecord->cv.wait(lock, [&] { return pRecord->bStarted; });
  return TRUE;
}

void CWinThread::ThreadMain() {
  if (InitInstance()) Run();
  else ExitInstance();
  if (m_bAutoDelete) delete this;
}

int CWinThread::Run() {
  ThreadRecord* pRecord = t_pCurrent;
  for (;;) {
    MSG msg;
    {
      std::unique_lock lock(pRecord->mutex);
      pRecord->cv.wait(lock, [&] { return !pRecord->queue.empty(); });
      msg = pRecord->queue.front();
      pRecord->queue.pop_front();
    }
    if (msg.message == WM_QUIT) {
      m_nExitCode = static_cast<int>(msg.wParam);
      return ExitInstance();
    }
    if (const AFX_MSGMAP_ENTRY* pEntry = FindEntry(msg.message, 0, 0); pEntry && pEntry->nSig == AfxSig_vwl)
      CallEntry(*pEntry, msg.wParam, msg.lParam);
  }
}

BOOL PostThreadMessageW(DWORD idThread, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<ThreadRecord> pRecord = FindRecord(idThread);
  if (!pRecord) return FALSE;
  {
    std::lock_guard lock(pRecord->mutex);
    if (pRecord->bEnded) return FALSE;
    pRecord->queue.push_back(MSG{msg, wParam, lParam});
  }
  pRecord->cv.notify_all();
  return TRUE;
}

void PostQuitMessage(int nExitCode) {
  if (t_pCurrent) PostThreadMessageW(t_pCurrent->nId, WM_QUIT, static_cast<WPARAM>(nExitCode), 0);
  else if (QCoreApplication::instance()) QCoreApplication::exit(nExitCode);
}

DWORD GetCurrentThreadId() { return t_pCurrent ? t_pCurrent->nId : static_cast<DWORD>(gettid()); }

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

DWORD WaitForSingleObject(HANDLE hThread, DWORD dwMilliseconds) {
  ThreadRecord* pRecord = FromHandle(hThread);
  if (!pRecord) return WAIT_OBJECT_0;
  using Clock = std::chrono::steady_clock;
  const auto deadline = dwMilliseconds == INFINITE ? Clock::time_point::max()
                                                   : Clock::now() + std::chrono::milliseconds(dwMilliseconds);
  const bool bPump = QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
  std::unique_lock lock(pRecord->mutex);
  while (!pRecord->bEnded) {
    if (Clock::now() >= deadline) return WAIT_TIMEOUT;
    if (!bPump) {
      pRecord->cv.wait_until(lock, deadline);
      continue;
    }
    pRecord->cv.wait_for(lock, std::chrono::milliseconds(10));
    lock.unlock();
    QCoreApplication::processEvents();
    lock.lock();
  }
  return WAIT_OBJECT_0;
}

// Windows priority levels on Linux, for the one thread the handle names:
//   THREAD_PRIORITY_IDLE          (-15)  SCHED_IDLE
//   THREAD_PRIORITY_LOWEST         (-2)  SCHED_OTHER, nice 10
//   THREAD_PRIORITY_BELOW_NORMAL   (-1)  SCHED_OTHER, nice 5
//   THREAD_PRIORITY_NORMAL          (0)  SCHED_OTHER, nice 0
//   THREAD_PRIORITY_ABOVE_NORMAL    (1)  SCHED_OTHER, nice -5
//   THREAD_PRIORITY_HIGHEST         (2)  SCHED_OTHER, nice -10
//   THREAD_PRIORITY_TIME_CRITICAL  (15)  SCHED_FIFO, real-time priority 1
// Raising a priority needs CAP_SYS_NICE or a fitting RLIMIT_NICE/RLIMIT_RTPRIO; without it the call
// fails and the thread keeps its scheduling, as on Windows.
BOOL SetThreadPriority(HANDLE hThread, int nPriority) {
  ThreadRecord* pRecord = FromHandle(hThread);
  if (!pRecord) return FALSE;
  int nPolicy = SCHED_OTHER;
  int nNice = 0;
  switch (nPriority) {
  case THREAD_PRIORITY_IDLE: nPolicy = SCHED_IDLE; break;
  case THREAD_PRIORITY_LOWEST: nNice = 10; break;
  case THREAD_PRIORITY_BELOW_NORMAL: nNice = 5; break;
  case THREAD_PRIORITY_NORMAL: nNice = 0; break;
  case THREAD_PRIORITY_ABOVE_NORMAL: nNice = -5; break;
  case THREAD_PRIORITY_HIGHEST: nNice = -10; break;
  case THREAD_PRIORITY_TIME_CRITICAL: nPolicy = SCHED_FIFO; break;
  default: return FALSE;
  }
  std::lock_guard lock(pRecord->mutex);
  if (pRecord->bEnded) return FALSE;
  sched_param param{};
  param.sched_priority = nPolicy == SCHED_FIFO ? 1 : 0;
  if (nPolicy == SCHED_OTHER) {
    // Check the nice value first, so that a refused raise leaves the policy as it was.
    const int nOldNice = getpriority(PRIO_PROCESS, pRecord->tid);
    if (setpriority(PRIO_PROCESS, pRecord->tid, nNice) != 0) return FALSE;
    if (sched_setscheduler(pRecord->tid, SCHED_OTHER, &param) != 0) {
      setpriority(PRIO_PROCESS, pRecord->tid, nOldNice);
      return FALSE;
    }
    return TRUE;
  }
  return sched_setscheduler(pRecord->tid, nPolicy, &param) == 0 ? TRUE : FALSE;
}

bool AfxAnyThreadRunning() {
  Registry& reg = GetRegistry();
  std::lock_guard lock(reg.mutex);
  for (const auto& [nId, pRecord] : reg.threads) {
    std::lock_guard recordLock(pRecord->mutex);
    if (!pRecord->bEnded) return true;
  }
  return false;
}

int AfxGetNativeThreadId(HANDLE hThread) {
  ThreadRecord* pRecord = FromHandle(hThread);
  return pRecord ? pRecord->tid : 0;
}
