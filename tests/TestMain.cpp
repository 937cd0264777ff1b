// Runs the tests inside a toolkit application, offscreen unless a platform is set.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>

#include "platform/Platform.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int nResult = RUN_ALL_TESTS();
  // A worker a failed test left behind must not meet the static destructors.
  if (AfxAnyThreadRunning()) {
    std::fflush(nullptr);
    _exit(nResult);
  }
  return nResult;
}
