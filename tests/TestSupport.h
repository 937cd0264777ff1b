// Helpers shared by the tests: waiting while the toolkit runs, and recording message boxes.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"

// Handles the toolkit's events until the condition holds or the time is up; true when it held.
bool PumpUntil(const std::function<bool()>& condition, int nTimeoutMs);
// Handles the toolkit's events for a while.
void PumpFor(int nMs);

// Answers every message box at once and keeps its text, caption and the thread it was shown on.
class CBoxRecorder {
public:
  struct Box {
    std::wstring text;
    std::wstring caption;
    UINT nType;
    std::thread::id shownOn;
  };
  explicit CBoxRecorder(std::function<void(const Box&)> onBox = nullptr);
  ~CBoxRecorder();
  std::vector<Box> Boxes() const;
  size_t Count() const;

private:
  mutable std::mutex m_mutex;
  std::vector<Box> m_aBoxes;
};

// Runs a dialog modally with a test body run inside its loop; ends it afterwards if the body did not.
intptr_t RunModal(CDialog& dlg, const std::function<void()>& body);
