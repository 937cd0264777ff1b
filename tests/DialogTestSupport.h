// Running the main dialog in tests: a private configuration folder and access to its widgets.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/TestSupport.h"
#include "ui/ZelvoDlg.h"

class QWidget;

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override;
  QString SettingsFile() const { return m_dir.path() + "/zelvo/user.reg"; }
  QByteArray ReadSettings() const;
  // The registry section the dialog's settings live in.
  static std::wstring SectionPath();

  QTemporaryDir m_dir;
  CBoxRecorder m_boxes;
};

QWidget* Item(const CZelvoDlg& dlg, UINT nID);
