// The user's choices kept between runs: saved only by Quit, loaded at the next start.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "tests/DialogTestSupport.h"

namespace {

using Settings = DialogTest;

const wchar_t kOddName[] = L"Speakers \"A\" \\ 2 \u017Dluva \u6843";

void ChangeEverything(CZelvoDlg& dlg) {
  static_cast<CButton*>(dlg.GetDlgItem(IDC_MIN_TO_TRAY))->SetCheck(BST_CHECKED);
  static_cast<CButton*>(dlg.GetDlgItem(IDC_AUTOLOAD))->SetCheck(BST_INDETERMINATE);
  dlg.SetDlgItemText(IDC_AUTOLOAD_NAME, L"Z:\\opt\\tool \"x\".exe");
  dlg.SetDlgItemText(IDC_INPUT_DEVICE, kOddName);
  dlg.SetDlgItemText(IDC_OUTPUT_DEVICE, L"Out\\put");
  static_cast<CSliderCtrl*>(dlg.GetDlgItem(IDC_PRIORITY))->SetPos(1);
  static_cast<CSliderCtrl*>(dlg.GetDlgItem(IDC_OUTPUT_VOLUME))->SetPos(1234);
}

TEST_F(Settings, FirstRunUsesDefaultsAndLeavesTheKeyPath) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    EXPECT_FALSE(dlg.m_bMinToTray);
    EXPECT_FALSE(dlg.m_bAutoRun);
    EXPECT_FALSE(dlg.m_bAutoLoad);
    EXPECT_EQ(dlg.m_nOutputVolume, 65535);
    EXPECT_EQ(dlg.m_nPriority, 3);
    EXPECT_EQ(dlg.m_nSampleRate, -1);
    EXPECT_TRUE(dlg.m_strInputDevName.IsEmpty());
  });
  const std::optional<REG_DOCUMENT> doc = ParseRegFile(ReadSettings().toStdString());
  ASSERT_TRUE(doc.has_value());
  REG_DOCUMENT copy = *doc;
  REG_SECTION* pSection = copy.FindSection(SectionPath());
  ASSERT_NE(pSection, nullptr);
  EXPECT_TRUE(pSection->lines.empty());
}

TEST_F(Settings, QuitSavesAllNineValuesAndTheNextStartShowsThem) {
  {
    CZelvoDlg dlg;
    EXPECT_EQ(RunModal(dlg, [&] {
                ChangeEverything(dlg);
                qobject_cast<QPushButton*>(Item(dlg, IDC_QUIT))->click();
              }),
              IDOK);
  }
  const QString file = QString::fromUtf8(ReadSettings());
  EXPECT_TRUE(file.contains(QString::fromStdWString(L"\"InputDevName\"=\"Speakers \\\"A\\\" \\\\ 2 \u017Dluva \u6843\"\n")));
  EXPECT_TRUE(file.contains("\"Format\"=dword:ffffffff\n"));
  EXPECT_TRUE(file.contains("\"AutoLoad\"=dword:00000001\n"));
  const char* const names[] = {"InputDevName", "OutputDevName", "MinToTray", "AutoRun", "AutoLoad",
                               "OutputVolume", "Priority", "Format", "AutoLoadName"};
  qsizetype nLast = 0;
  for (const char* pszName : names) {
    const qsizetype nAt = file.indexOf(QString("\"%1\"=").arg(pszName));
    EXPECT_GT(nAt, nLast) << pszName << " is missing or out of order";
    nLast = nAt;
  }

  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    EXPECT_EQ(dlg.m_strInputDevName, CString(kOddName));
    EXPECT_EQ(dlg.m_strOutputDevName, CString(L"Out\\put"));
    EXPECT_TRUE(dlg.m_bMinToTray);
    EXPECT_FALSE(dlg.m_bAutoRun);
    EXPECT_TRUE(dlg.m_bAutoLoad);
    EXPECT_EQ(dlg.m_strAutoLoadName, CString(L"Z:\\opt\\tool \"x\".exe"));
    EXPECT_EQ(dlg.m_nOutputVolume, 1234);
    EXPECT_EQ(dlg.m_nPriority, 1);
    EXPECT_EQ(dlg.m_nSampleRate, -1);
    EXPECT_EQ(qobject_cast<QLineEdit*>(Item(dlg, IDC_PRIORITY_NAME))->text(), "LOWEST");
    EXPECT_EQ(qobject_cast<QLineEdit*>(Item(dlg, IDC_AUTOLOAD_NAME))->text(), "Z:\\opt\\tool \"x\".exe");
  });
}

TEST_F(Settings, EscapeAfterChangesKeepsTheOldValues) {
  {
    CZelvoDlg dlg;
    RunModal(dlg, [&] { qobject_cast<QPushButton*>(Item(dlg, IDC_QUIT))->click(); });
  }
  const QByteArray before = ReadSettings();
  {
    CZelvoDlg dlg;
    EXPECT_EQ(RunModal(dlg, [&] {
                ChangeEverything(dlg);
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
              }),
              IDCANCEL);
  }
  EXPECT_EQ(ReadSettings(), before);
}

TEST_F(Settings, StoredValuesAreTakenWithoutLimitsAndOtherTypesAreIgnored) {
  QDir().mkpath(m_dir.path() + "/zelvo");
  QFile file(SettingsFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QString::fromStdWString(L"Windows Registry Editor Version 5.00\n\n[" + SectionPath() +
                                     L"]\n\"Priority\"=dword:00000009\n\"AutoRun\"=\"1\"\n\"MinToTray\"=dword:00000002\n"
                                     L"\"OutputVolume\"=dword:ffffffff\n\"Extra\"=hex:00\n")
                 .toUtf8());
  file.close();
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    EXPECT_EQ(dlg.m_nPriority, 6) << "held by the trackbar after the refresh";
    EXPECT_EQ(qobject_cast<QLineEdit*>(Item(dlg, IDC_PRIORITY_NAME))->text(), "TIME_CRITICAL");
    EXPECT_FALSE(dlg.m_bAutoRun) << "a string where a number belongs counts as missing";
    EXPECT_FALSE(dlg.m_bRunning);
    EXPECT_TRUE(dlg.m_bMinToTray);
    EXPECT_EQ(dlg.m_nOutputVolume, -1);
    qobject_cast<QPushButton*>(Item(dlg, IDC_QUIT))->click();
  });
  EXPECT_TRUE(ReadSettings().contains("\"Extra\"=hex:00\n")) << "unknown values are kept";
}

}  // namespace
