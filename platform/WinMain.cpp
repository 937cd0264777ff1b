// The program's entry point: the toolkit, then the application object's start-up.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "platform/App.h"

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    std::fprintf(stderr,
                 "No display found: set DISPLAY to a running X server, run it under `xvfb-run -a`, "
                 "or set QT_QPA_PLATFORM=offscreen.\n");
    return 1;
  }
  QApplication app(argc, argv);
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
