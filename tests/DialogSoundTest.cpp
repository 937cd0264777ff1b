// The whole program with real sound: the dialog's lists, Start and Stop, and the start at start-up.
#include <sys/resource.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "audio/RecordSoundDirect.h"
#include "tests/DialogTestSupport.h"
#include "tests/JackFixture.h"
#include "tests/SoundTestSupport.h"

namespace {

class DialogSound : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    m_pServer = std::make_unique<CJackServer>();
    m_pClient = std::make_unique<CTestClient>();
  }
  void TearDown() override {
    m_pClient.reset();
    m_pServer.reset();
  }

  // Picks an entry as the user would, so that the rate list follows.
  static void Choose(CZelvoDlg& dlg, UINT nID, const wchar_t* pszText) {
    auto* pList = static_cast<CComboBox*>(dlg.GetDlgItem(static_cast<int>(nID)));
    const int nFound = pList->FindString(-1, pszText);
    ASSERT_NE(nFound, CB_ERR) << "no entry " << QString::fromWCharArray(pszText).toStdString();
    auto* pCombo = qobject_cast<QComboBox*>(pList->GetWidget());
    pCombo->setCurrentIndex(nFound);
    emit pCombo->activated(nFound);
  }
  static void ChooseFormat(CZelvoDlg& dlg, int nEntry) {
    auto* pCombo = qobject_cast<QComboBox*>(Item(dlg, IDC_SAMPLE_FORMAT));
    pCombo->setCurrentIndex(nEntry);
    emit pCombo->activated(nEntry);
  }
  // The test client as input and output, and a format.
  static void ChooseTestClient(CZelvoDlg& dlg, int nFormat) {
    Choose(dlg, IDC_INPUT_DEVICE, L"zelvotest");
    Choose(dlg, IDC_OUTPUT_DEVICE, L"zelvotest");
    ChooseFormat(dlg, nFormat);
  }
  static void Press(CZelvoDlg& dlg, UINT nID) { qobject_cast<QPushButton*>(Item(dlg, nID))->click(); }

  void ExpectSignalFrom(size_t nFrom, float tolerance) const {
    std::optional<size_t> first;
    ASSERT_TRUE(PumpUntil([&] { return (first = m_pClient->FirstSound(nFrom)).has_value(); }, 5000)) << "no sound came back";
    EXPECT_TRUE(m_pClient->FindLagInSomeStretch(*first + 2 * CJackServer::kPeriod, tolerance).has_value());
  }
  void ExpectSilenceAfterStop() const {
    PumpFor(700);  // the worker's stop with its pause
    const size_t nFrom = m_pClient->Recorded();
    WaitForFrames(*m_pClient, 4096);
    EXPECT_FALSE(m_pClient->FirstSound(nFrom).has_value());
  }

  std::unique_ptr<CJackServer> m_pServer;
  std::unique_ptr<CTestClient> m_pClient;
};

TEST_F(DialogSound, TestClientIsListedAndStartPassesItsSignalUntilStop) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    Choose(dlg, IDC_INPUT_DEVICE, L"zelvotest");
    Choose(dlg, IDC_OUTPUT_DEVICE, L"zelvotest");
    auto* pRates = qobject_cast<QComboBox*>(Item(dlg, IDC_SAMPLE_RATE));
    ASSERT_EQ(pRates->count(), 1);
    EXPECT_EQ(pRates->currentText(), "48000");
    ChooseFormat(dlg, 4);
    Press(dlg, IDOK);
    EXPECT_EQ(qobject_cast<QPushButton*>(Item(dlg, IDOK))->text(), "Stop");
    for (UINT nID : {IDC_INPUT_DEVICE, IDC_OUTPUT_DEVICE, IDC_SAMPLE_RATE, IDC_SAMPLE_FORMAT}) EXPECT_FALSE(Item(dlg, nID)->isEnabled());
    ExpectSignalFrom(0, 0.0f);

    // The top priority, read back from the system, while sound passes.
    dlg.m_nPriority = 6;
    dlg.RefreshControls();
    EXPECT_EQ(sched_getscheduler(AfxGetNativeThreadId(dlg.m_pWorker->m_hThread)), SCHED_FIFO);

    Press(dlg, IDOK);
    EXPECT_EQ(qobject_cast<QPushButton*>(Item(dlg, IDOK))->text(), "Start");
    for (UINT nID : {IDC_INPUT_DEVICE, IDC_OUTPUT_DEVICE, IDC_SAMPLE_RATE, IDC_SAMPLE_FORMAT}) EXPECT_TRUE(Item(dlg, nID)->isEnabled());
    ExpectSilenceAfterStop();
  });
  EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(DialogSound, EnterStartsThePass) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    ChooseTestClient(dlg, 1);
    QWidget* pFocus = Item(dlg, IDC_AUTORUN);
    pFocus->setFocus();
    QTest::keyClick(pFocus, Qt::Key_Return);
    ExpectSignalFrom(0, FormatTolerance(RTAUDIO_SINT16));
    QTest::keyClick(pFocus, Qt::Key_Return);
    ExpectSilenceAfterStop();
  });
  EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(DialogSound, QuickStopStartWithFormatChangesNeverCorruptsTheStream) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    ChooseTestClient(dlg, 0);
    Press(dlg, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return m_pClient->FirstSound(0).has_value(); }, 5000));
    for (int nFormat : {5, 2, 3, 4}) {
      Press(dlg, IDOK);
      ChooseFormat(dlg, nFormat);
      Press(dlg, IDOK);
    }
    // The requests run one after another; the last stream is float32 and comes back bit for bit.
    PumpFor(2500);
    ExpectSignalFrom(m_pClient->Recorded(), 0.0f);
    Press(dlg, IDOK);
  });
  EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(DialogSound, StartsPassingAtStartUpFromTheStoredSettings) {
  QDir().mkpath(m_dir.path() + "/zelvo");
  QFile file(SettingsFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Windows Registry Editor Version 5.00\n\n"
             "[HKEY_CURRENT_USER\\Software\\Local AppWizard-Generated Applications\\Zelvo\\Kordani Zelvo]\n"
             "\"InputDevName\"=\"zelvotest\"\n\"OutputDevName\"=\"zelvotest\"\n"
             "\"Format\"=dword:0000bb80\n\"AutoRun\"=dword:00000001\n");
  file.close();

  QProcess zelvo;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  zelvo.setProcessEnvironment(env);
  zelvo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  const size_t nFrom = m_pClient->Recorded();
  QElapsedTimer timer;
  timer.start();
  zelvo.start(ZELVO_PROGRAM, {});
  ASSERT_TRUE(zelvo.waitForStarted());
  std::optional<size_t> first;
  ASSERT_TRUE(PumpUntil([&] { return (first = m_pClient->FirstSound(nFrom)).has_value(); }, 10000)) << "nothing came back";
  const qint64 nMs = timer.elapsed();
  RecordProperty("start_to_first_frame_ms", static_cast<int>(nMs));
  std::printf("Zelvo: process start to first frame passed back: %lld ms\n", static_cast<long long>(nMs));
  // Signed 8-bit, the format every run starts with.
  EXPECT_TRUE(m_pClient->FindLagInSomeStretch(*first + 2 * CJackServer::kPeriod, FormatTolerance(RTAUDIO_SINT8)).has_value());
  // Ended as at log-out: the program closes its dialog, stops the pass and exits cleanly.
  zelvo.terminate();
  ASSERT_TRUE(zelvo.waitForFinished(10000));
  EXPECT_EQ(zelvo.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(zelvo.exitCode(), 0);
  ExpectSilenceAfterStop();
}

}  // namespace
