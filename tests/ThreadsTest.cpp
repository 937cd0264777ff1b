// Thread messages, thread priorities and message boxes asked for on another thread.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>

#include <atomic>
#include <vector>

#include "tests/TestSupport.h"

namespace {

constexpr UINT WM_TEST_RECORD = WM_USER + 1;
constexpr UINT WM_TEST_BOX = WM_USER + 2;

class CRecordingThread : public CWinThread {
public:
  CRecordingThread() { m_bAutoDelete = FALSE; }
  BOOL InitInstance() override { return TRUE; }
  std::vector<LPARAM> m_aSeen;  // read only after the thread has ended
  std::atomic<int> m_nBoxResult{0};

protected:
  void OnRecord(WPARAM, LPARAM lParam) { m_aSeen.push_back(lParam); }
  void OnBox(WPARAM, LPARAM lParam) {
    m_aSeen.push_back(-lParam);
    m_nBoxResult = AfxMessageBox(L"from the worker");
    m_aSeen.push_back(-lParam);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingThread, CWinThread)
  ON_THREAD_MESSAGE(WM_TEST_RECORD, OnRecord)
  ON_THREAD_MESSAGE(WM_TEST_BOX, OnBox)
END_MESSAGE_MAP()

void EndAndWait(CWinThread& thread) {
  ASSERT_TRUE(PostThreadMessageW(thread.m_nThreadID, WM_QUIT, 0, 0));
  ASSERT_EQ(WaitForSingleObject(thread.m_hThread, 5000), WAIT_OBJECT_0);
}

TEST(ThreadMessages, AreHandledInPostingOrderFromTheFirstOnePosted) {
  CRecordingThread thread;
  ASSERT_TRUE(thread.CreateThread());
  // Posted at once after CreateThread returns: none may be lost.
  for (LPARAM i = 1; i <= 2000; ++i) ASSERT_TRUE(PostThreadMessageW(thread.m_nThreadID, WM_TEST_RECORD, 0, i));
  EndAndWait(thread);
  ASSERT_EQ(thread.m_aSeen.size(), 2000u);
  for (size_t i = 0; i < thread.m_aSeen.size(); ++i) ASSERT_EQ(thread.m_aSeen[i], static_cast<LPARAM>(i + 1));
}

TEST(ThreadMessages, PostingToAnUnknownOrEndedThreadFails) {
  EXPECT_FALSE(PostThreadMessageW(0x7FFFFFFF, WM_TEST_RECORD, 0, 0));
  CRecordingThread thread;
  thread.CreateThread();
  EndAndWait(thread);
  EXPECT_FALSE(PostThreadMessageW(thread.m_nThreadID, WM_TEST_RECORD, 0, 0));
}

TEST(ThreadMessages, AutoDeletingThreadEndsAndCanBeWaitedFor) {
  struct CSelfDeleting : CWinThread {
    explicit CSelfDeleting(std::atomic<bool>& bDeleted) : m_bDeleted(bDeleted) {}
    ~CSelfDeleting() override { m_bDeleted = true; }
    BOOL InitInstance() override { return TRUE; }
    std::atomic<bool>& m_bDeleted;
  };
  std::atomic<bool> bDeleted{false};
  auto* pThread = new CSelfDeleting(bDeleted);
  pThread->CreateThread();
  HANDLE hThread = pThread->m_hThread;
  PostThreadMessageW(pThread->m_nThreadID, WM_QUIT, 0, 0);
  EXPECT_EQ(WaitForSingleObject(hThread, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(bDeleted);
}

TEST(MessageBoxes, AskedOnAWorkerAreShownOnTheInterfaceThreadWhileTheWorkerWaits) {
  CRecordingThread thread;
  std::atomic<bool> bReleased{false};
  CBoxRecorder boxes([&](const CBoxRecorder::Box&) {
    // The worker is waiting for this box: a request posted now is handled after it.
    PostThreadMessageW(thread.m_nThreadID, WM_TEST_RECORD, 0, 99);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    bReleased = true;
  });
  thread.CreateThread();
  PostThreadMessageW(thread.m_nThreadID, WM_TEST_BOX, 0, 7);
  ASSERT_TRUE(PumpUntil([&] { return bReleased.load() && thread.m_nBoxResult == IDOK; }, 5000));
  EndAndWait(thread);
  const std::vector<CBoxRecorder::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"from the worker");
  EXPECT_EQ(shown[0].caption, std::wstring(AfxGetApp()->m_pszAppName));
  EXPECT_EQ(shown[0].nType, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(shown[0].shownOn, std::this_thread::get_id());
  EXPECT_EQ(thread.m_aSeen, (std::vector<LPARAM>{-7, -7, 99}));
}

// The seven Windows levels as the system reports them afterwards (run as root, every level applies).
TEST(ThreadPriority, EachLevelIsReadBackFromTheSystem) {
  CRecordingThread thread;
  thread.CreateThread();
  const int tid = AfxGetNativeThreadId(thread.m_hThread);
  const struct {
    int nLevel;
    int nPolicy;
    int nNice;
  } cases[] = {{THREAD_PRIORITY_TIME_CRITICAL, SCHED_FIFO, -1}, {THREAD_PRIORITY_IDLE, SCHED_IDLE, -1},
               {THREAD_PRIORITY_LOWEST, SCHED_OTHER, 10},       {THREAD_PRIORITY_BELOW_NORMAL, SCHED_OTHER, 5},
               {THREAD_PRIORITY_NORMAL, SCHED_OTHER, 0},        {THREAD_PRIORITY_ABOVE_NORMAL, SCHED_OTHER, -5},
               {THREAD_PRIORITY_HIGHEST, SCHED_OTHER, -10}};
  ASSERT_EQ(geteuid(), 0u) << "raising priorities needs root";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nLevel);
    ASSERT_TRUE(SetThreadPriority(thread.m_hThread, c.nLevel));
    EXPECT_EQ(sched_getscheduler(tid), c.nPolicy);
    if (c.nNice != -1) {
      EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(tid)), c.nNice);
    }
  }
  EXPECT_FALSE(SetThreadPriority(thread.m_hThread, 3));
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(tid)), -10);
  EndAndWait(thread);
  EXPECT_FALSE(SetThreadPriority(thread.m_hThread, THREAD_PRIORITY_NORMAL));
}

TEST(RegisteredMessages, OneNumberPerNameFromTheRegisteredRange) {
  const UINT n = RegisterWindowMessageW(L"TestMessage");
  EXPECT_GE(n, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageW(L"testmessage"), n);
  EXPECT_NE(RegisterWindowMessageW(L"OtherMessage"), n);
  EXPECT_EQ(RegisterWindowMessageW(L""), 0u);
}

}  // namespace
