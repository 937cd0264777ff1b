#include "platform/App.h"

#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>
#include <condition_variable>
#include <deque>
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

struct BoxRequest {
  CString text;
  CString caption;
  UINT nType;
  bool bAnswered = false;
  int nResult = IDOK;
};

// Boxes asked for on other threads, waiting for the interface thread.
struct BoxRequests {
  std::mutex mutex;
  std::condition_variable answered;
  std::deque<std::shared_ptr<BoxRequest>> pending;
};
BoxRequests g_requests;

void ServePendingBoxes() {
  for (;;) {
    std::shared_ptr<BoxRequest> pRequest;
    CString text, caption;
    UINT nType = 0;
    {
      std::lock_guard lock(g_requests.mutex);
      if (g_requests.pending.empty()) return;
      pRequest = g_requests.pending.front();
      g_requests.pending.pop_front();
      text = pRequest->text;
      caption = pRequest->caption;
      nType = pRequest->nType;
    }
    const int nResult = ShowBox(text, caption, nType);
    {
      std::lock_guard lock(g_requests.mutex);
      pRequest->nResult = nResult;
      pRequest->bAnswered = true;
    }
    g_requests.answered.notify_all();
  }
}

// Runs the boxes that other threads queue, on the interface thread. It is called by name through the
// toolkit, so that the hand-over carries no data of ours: everything passes under g_requests.mutex,
// where a race checker sees it.
class CBoxServer : public QObject {
  Q_OBJECT
public slots:
  void Serve() { ServePendingBoxes(); }
};

CBoxServer* GetBoxServer(QCoreApplication* pApp) {
  static std::mutex mutex;
  static CBoxServer* pServer = nullptr;
  std::lock_guard lock(mutex);
  if (!pServer) {
    pServer = new CBoxServer;  // lives until the process ends
    pServer->moveToThread(pApp->thread());
  }
  return pServer;
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
  // Another thread queues the box for the interface thread and waits for the answer; its own message
  // queue is left alone meanwhile. Requests and answers pass under our own lock, not inside the toolkit's
  // event, so that a race checker sees the hand-over.
  auto pRequest = std::make_shared<BoxRequest>(BoxRequest{text, caption, nType});
  {
    std::lock_guard lock(g_requests.mutex);
    g_requests.pending.push_back(pRequest);
  }
  QMetaObject::invokeMethod(GetBoxServer(pApp), "Serve", Qt::QueuedConnection);
  std::unique_lock lock(g_requests.mutex);
  g_requests.answered.wait(lock, [&] { return pRequest->bAnswered; });
  return pRequest->nResult;
}

void AfxSetMessageBoxHook(AfxMessageBoxHook hook) {
  std::lock_guard lock(g_hookMutex);
  g_hook = std::move(hook);
}

#include "App.moc"
