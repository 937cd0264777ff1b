#include "tests/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <QTimer>

bool PumpUntil(const std::function<bool()>& condition, int nTimeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > nTimeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void PumpFor(int nMs) {
  PumpUntil([] { return false; }, nMs);
}

CBoxRecorder::CBoxRecorder(std::function<void(const Box&)> onBox) {
  AfxSetMessageBoxHook([this, onBox](const CString& text, const CString& caption, UINT nType) {
    const Box box{text.str(), caption.str(), nType, std::this_thread::get_id()};
    {
      std::lock_guard lock(m_mutex);
      m_aBoxes.push_back(box);
    }
    if (onBox) onBox(box);
    return static_cast<int>(IDOK);
  });
}

CBoxRecorder::~CBoxRecorder() { AfxSetMessageBoxHook(nullptr); }

std::vector<CBoxRecorder::Box> CBoxRecorder::Boxes() const {
  std::lock_guard lock(m_mutex);
  return m_aBoxes;
}

size_t CBoxRecorder::Count() const {
  std::lock_guard lock(m_mutex);
  return m_aBoxes.size();
}

intptr_t RunModal(CDialog& dlg, const std::function<void()>& body) {
  QTimer::singleShot(0, [&] {
    // The dialog is the active window, as when the user works with it.
    dlg.GetWidget()->activateWindow();
    if (!QTest::qWaitForWindowActive(dlg.GetWidget(), 2000)) ADD_FAILURE() << "the dialog did not become active";
    body();
    if (dlg.IsWindowVisible()) dlg.EndDialog(-1);
  });
  return dlg.DoModal();
}
