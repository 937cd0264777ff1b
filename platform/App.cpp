#include "platform/App.h"

#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/Window.h"

namespace {

CWinApp* g_pApp = nullptr;

std::mutex g_hookMutex;
AfxMessageBoxHook g_hook;

QString ProgramBaseName() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return QStringLiteral("Zelvo");
  return QFileInfo(QString::fromLocal8Bit(path, n)).completeBaseName();
}

int ShowBox(const CString& text, const CString& caption, UINT nType) {
  AfxMessageBoxHook hook;
  {
    std::lock_guard lock(g_hookMutex);
    hook = g_hook;
  }
  if (hook) return hook(text, caption, nType);
  QWidget* pOwner = g_pApp && g_pApp->m_pMainWnd ? g_pApp->m_pMainWnd->GetWidget() : nullptr;
  QMessageBox box(QMessageBox::Warning, QString::fromStdWString(caption.str()), QString::fromStdWString(text.str()),
                  QMessageBox::Ok, pOwner);
  box.exec();
  return IDOK;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp() : m_strAppName(ProgramBaseName().toStdWString()) {
  m_pszAppName = m_strAppName;
  g_pApp = this;
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

int CWinApp::Run() { return QApplication::exec(); }

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey;
  m_pszRegistryKey = m_strRegistryKey;
}

CWinApp* AfxGetApp() { return g_pApp; }

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT) {
  if ((nType & MB_ICONMASK) == 0) nType |= MB_ICONEXCLAMATION;
  const CString text(lpszText);
  const CString caption(g_pApp ? g_pApp->m_pszAppName : L"");
  QCoreApplication* pApp = QCoreApplication::instance();
  if (!pApp) return IDOK;
  if (QThread::currentThread() == pApp->thread()) return ShowBox(text, caption, nType);
  // Another thread hands the box to the interface thread and waits for the answer; its own queue is
  // left alone meanwhile.
  struct Answer {
    std::mutex mutex;
    std::condition_variable cv;
    bool bGiven = false;
    int nResult = IDOK;
  };
  auto pAnswer = std::make_shared<Answer>();
  QMetaObject::invokeMethod(
      pApp,
      [pAnswer, text, caption, nType] {
        const int nResult = ShowBox(text, caption, nType);
        {
          std::lock_guard lock(pAnswer->mutex);
          pAnswer->nResult = nResult;
          pAnswer->bGiven = true;
        }
        pAnswer->cv.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(pAnswer->mutex);
  pAnswer->cv.wait(lock, [&] { return pAnswer->bGiven; });
  return pAnswer->nResult;
}

void AfxSetMessageBoxHook(AfxMessageBoxHook hook) {
  std::lock_guard lock(g_hookMutex);
  g_hook = std::move(hook);
}
