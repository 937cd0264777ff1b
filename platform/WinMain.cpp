// The program's entry point: the toolkit, then the application object's start-up.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "platform/App.h"

namespace {

int g_aSignalPipe[2] = {-1, -1};

void OnTerminate(int) {
  const char c = 1;
  [[maybe_unused]] const ssize_t n = write(g_aSignalPipe[1], &c, 1);
}

// SIGTERM and SIGINT (log-out, Ctrl+C) close the windows as the close box would, so that the program
// ends through its own exit path.
void CloseWindowsOnTerminate(QApplication& app) {
  if (pipe(g_aSignalPipe) != 0) return;
  auto* pNotifier = new QSocketNotifier(g_aSignalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(pNotifier, &QSocketNotifier::activated, &app, [] {
    char c;
    [[maybe_unused]] const ssize_t n = read(g_aSignalPipe[0], &c, 1);
    for (QWidget* pWindow : QApplication::topLevelWidgets())
      if (pWindow->isVisible()) pWindow->close();
  });
  struct sigaction action {};
  action.sa_handler = &OnTerminate;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    std::fprintf(stderr,
                 "No display found: set DISPLAY to a running X server, run it under `xvfb-run -a`, "
                 "or set QT_QPA_PLATFORM=offscreen.\n");
    return 1;
  }
  QApplication app(argc, argv);
  CloseWindowsOnTerminate(app);
  CWinApp* pApp = AfxGetApp();
  if (!pApp) return 0;
  const int nCode = pApp->InitInstance() ? pApp->Run() : pApp->ExitInstance();
  // A thread that did not end in time must not meet the static destructors.
  if (AfxAnyThreadRunning()) {
    std::fflush(nullptr);
    _exit(nCode);
  }
  return nCode;
}
