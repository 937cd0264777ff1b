// Threads with message queues, and the thread functions of the Windows interface.
#pragma once

#include "platform/MessageMap.h"
#include "platform/WinTypes.h"

class CWnd;

class CWinThread : public CCmdTarget {
public:
  CWinThread();
  ~CWinThread() override;

  // Starts the thread; returns only once its message queue exists. Flags and stack size are accepted
  // for the program's sake and ignored.
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, void* lpSecurityAttrs = nullptr);

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance() { return m_nExitCode; }
  // Takes the thread's messages one at a time, in posting order, until WM_QUIT.
  virtual int Run();

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  BOOL m_bAutoDelete = TRUE;
  CWnd* m_pMainWnd = nullptr;

protected:
  int m_nExitCode = 0;

private:
  void ThreadMain();
};

// Appends a message to a thread's queue; FALSE when no running thread has that identifier.
BOOL PostThreadMessageW(DWORD idThread, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends the calling thread's message loop with the given exit code.
void PostQuitMessage(int nExitCode);
DWORD GetCurrentThreadId();
void Sleep(DWORD dwMilliseconds);
// Waits for a thread to end; WAIT_OBJECT_0 or WAIT_TIMEOUT. On the user-interface thread the toolkit's
// events go on being handled meanwhile, so that a message box the awaited thread asks for is shown.
DWORD WaitForSingleObject(HANDLE hThread, DWORD dwMilliseconds);
// Maps a Windows priority level onto the Linux scheduling of that one thread (table in the source).
BOOL SetThreadPriority(HANDLE hThread, int nPriority);
// True while any thread created through CWinThread is still running.
bool AfxAnyThreadRunning();
// The Linux thread id behind a thread handle, for tests that read the scheduling back.
int AfxGetNativeThreadId(HANDLE hThread);
