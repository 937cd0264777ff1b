// Start/Stop, showing and gathering the settings, and the priority trackbar, on the real dialog.
#include <sys/resource.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "audio/RecordSoundDirect.h"
#include "tests/DialogTestSupport.h"

namespace {

void Fill(CZelvoDlg& dlg, UINT nID, std::initializer_list<const wchar_t*> entries) {
  auto* pList = static_cast<CComboBox*>(dlg.GetDlgItem(static_cast<int>(nID)));
  pList->ResetContent();
  for (const wchar_t* psz : entries) pList->AddString(psz);
}

int CurSel(const CZelvoDlg& dlg, UINT nID) { return qobject_cast<QComboBox*>(Item(dlg, nID))->currentIndex(); }
QString PriorityName(const CZelvoDlg& dlg) { return qobject_cast<QLineEdit*>(Item(dlg, IDC_PRIORITY_NAME))->text(); }
int WorkerNice(const CZelvoDlg& dlg) {
  return getpriority(PRIO_PROCESS, static_cast<id_t>(AfxGetNativeThreadId(dlg.m_pWorker->m_hThread)));
}

// Drags the trackbar's handle to one end with the mouse and lets go.
void DragPriorityTo(CZelvoDlg& dlg, bool bRightEnd) {
  auto* pSlider = qobject_cast<QSlider*>(Item(dlg, IDC_PRIORITY));
  QStyleOptionSlider option;
  option.initFrom(pSlider);
  option.orientation = Qt::Horizontal;
  option.minimum = pSlider->minimum();
  option.maximum = pSlider->maximum();
  option.sliderPosition = option.sliderValue = pSlider->value();
  const QPoint handle = pSlider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, pSlider).center();
  const QPoint end(bRightEnd ? pSlider->width() - 1 : 0, handle.y());
  QTest::mousePress(pSlider, Qt::LeftButton, {}, handle);
  QMouseEvent move(QEvent::MouseMove, QPointF(end), pSlider->mapToGlobal(QPointF(end)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(pSlider, &move);
  QTest::mouseRelease(pSlider, Qt::LeftButton, {}, end);
  PumpFor(20);  // the release notice is queued behind the release itself
}

using Controls = DialogTest;

TEST_F(Controls, RefreshSelectsStoredDevicesByPrefixAndTheRateByNumber) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    Fill(dlg, IDC_INPUT_DEVICE, {L"Speakers 2", L"Speakers", L"Mic"});
    Fill(dlg, IDC_OUTPUT_DEVICE, {L"Line", L"Phones"});
    Fill(dlg, IDC_SAMPLE_RATE, {L"8000", L"11025", L"44100"});
    static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SAMPLE_RATE))->SetCurSel(0);
    dlg.m_strInputDevName = L"speakers";
    dlg.m_strOutputDevName = L"Nothing like it";
    dlg.m_nSampleRate = 44100;
    dlg.RefreshControls();
    EXPECT_EQ(CurSel(dlg, IDC_INPUT_DEVICE), 0) << "the earlier entry that the name begins";
    EXPECT_EQ(CurSel(dlg, IDC_OUTPUT_DEVICE), 0);
    EXPECT_EQ(CurSel(dlg, IDC_SAMPLE_RATE), 2);
    dlg.m_strInputDevName = L"MIC";
    dlg.m_nSampleRate = -1;
    dlg.RefreshControls();
    EXPECT_EQ(CurSel(dlg, IDC_INPUT_DEVICE), 2);
    EXPECT_EQ(CurSel(dlg, IDC_SAMPLE_RATE), 2) << "no entry is -1: the selection stays";
    dlg.m_strInputDevName = L"";
    dlg.RefreshControls();
    EXPECT_EQ(CurSel(dlg, IDC_INPUT_DEVICE), 0);
    // A stored rate the list does not offer leaves the last entry, which a rebuild selects.
    static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SAMPLE_RATE))->SetCurSel(2);
    dlg.m_nSampleRate = 22050;
    dlg.RefreshControls();
    EXPECT_EQ(CurSel(dlg, IDC_SAMPLE_RATE), 2);
    dlg.GatherSettings();
    EXPECT_EQ(dlg.m_nSampleRate, 44100);
  });
}

TEST_F(Controls, StoredPriorityIsHeldWithinTheTrackbar) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    const std::tuple<int, int, const char*> cases[] = {{9, 6, "TIME_CRITICAL"}, {-3, 0, "IDLE"}, {2, 2, "BELOW_NORMAL"}};
    for (auto [nStored, nShown, pszName] : cases) {
      dlg.m_nPriority = nStored;
      dlg.RefreshControls();
      EXPECT_EQ(dlg.m_nPriority, nShown);
      EXPECT_EQ(PriorityName(dlg), pszName);
    }
  });
}

TEST_F(Controls, StartHandsTheChoicesToTheWorkerAndLocksTheLists) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    Fill(dlg, IDC_INPUT_DEVICE, {L"In A", L"In B"});
    Fill(dlg, IDC_OUTPUT_DEVICE, {L"Out A", L"Out B"});
    Fill(dlg, IDC_SAMPLE_RATE, {L"44100", L"48000"});
    dlg.m_aInputDeviceMap[1] = 7;
    dlg.m_aOutputDeviceMap[0] = 3;
    for (auto [nID, nSel] : {std::pair{IDC_INPUT_DEVICE, 1}, {IDC_OUTPUT_DEVICE, 0}, {IDC_SAMPLE_RATE, 1}, {IDC_SAMPLE_FORMAT, 5}})
      static_cast<CComboBox*>(dlg.GetDlgItem(static_cast<int>(nID)))->SetCurSel(nSel);
    static_cast<CSliderCtrl*>(dlg.GetDlgItem(IDC_PRIORITY))->SetPos(5);

    qobject_cast<QPushButton*>(Item(dlg, IDOK))->click();
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_EQ(qobject_cast<QPushButton*>(Item(dlg, IDOK))->text(), "Stop");
    EXPECT_EQ(dlg.m_pWorker->m_inputParams.deviceId, 7u);
    EXPECT_EQ(dlg.m_pWorker->m_outputParams.deviceId, 3u);
    EXPECT_EQ(dlg.m_pWorker->m_sampleRate, 48000u);
    EXPECT_EQ(dlg.m_pWorker->m_format, RTAUDIO_FLOAT64);
    EXPECT_EQ(dlg.m_strInputDevName, CString(L"In B"));
    EXPECT_EQ(WorkerNice(dlg), -10) << "HIGHEST";
    for (UINT nID : {IDC_INPUT_DEVICE, IDC_OUTPUT_DEVICE, IDC_SAMPLE_RATE, IDC_SAMPLE_FORMAT}) EXPECT_FALSE(Item(dlg, nID)->isEnabled());
    for (UINT nID : {IDOK, IDC_PRIORITY, IDC_MIN_TO_TRAY, IDC_AUTORUN, IDC_AUTOLOAD, IDC_BROWSE, IDC_ABOUT, IDC_QUIT})
      EXPECT_TRUE(Item(dlg, nID)->isEnabled()) << nID;

    qobject_cast<QPushButton*>(Item(dlg, IDOK))->click();
    EXPECT_FALSE(dlg.m_bRunning);
    EXPECT_EQ(qobject_cast<QPushButton*>(Item(dlg, IDOK))->text(), "Start");
    EXPECT_EQ(WorkerNice(dlg), 5) << "BELOW_NORMAL after a stop, whatever the setting";
    for (UINT nID : {IDC_INPUT_DEVICE, IDC_OUTPUT_DEVICE, IDC_SAMPLE_RATE, IDC_SAMPLE_FORMAT}) EXPECT_TRUE(Item(dlg, nID)->isEnabled());
    EXPECT_EQ(CurSel(dlg, IDC_INPUT_DEVICE), 1) << "the gathered name selects the same entry again";
  });
}

TEST_F(Controls, EmptyListsStartWithDeviceZeroAndNoRate) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    Fill(dlg, IDC_INPUT_DEVICE, {});
    Fill(dlg, IDC_OUTPUT_DEVICE, {});
    Fill(dlg, IDC_SAMPLE_RATE, {});
    dlg.OnStartStop();
    EXPECT_EQ(dlg.m_nInputDevice, 0);
    EXPECT_EQ(dlg.m_nOutputDevice, 0);
    EXPECT_EQ(dlg.m_nSampleRate, -1);
    EXPECT_EQ(dlg.m_pWorker->m_bufferFrames, 0u);
    dlg.OnStartStop();
  });
}

TEST_F(Controls, PriorityFollowsTheMouseReleaseOnlyAndTheWorkerOnlyWhileRunning) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    auto* pSlider = qobject_cast<QSlider*>(Item(dlg, IDC_PRIORITY));
    // Keys move the trackbar but update nothing by themselves.
    pSlider->setFocus();
    QTest::keyClick(pSlider, Qt::Key_End);
    EXPECT_EQ(pSlider->value(), 6);
    EXPECT_EQ(PriorityName(dlg), "NORMAL");
    EXPECT_EQ(dlg.m_nPriority, 3);

    // Stopped: the name follows the release, the worker does not.
    const int nNiceBefore = WorkerNice(dlg);
    DragPriorityTo(dlg, false);
    EXPECT_EQ(pSlider->value(), 0);
    EXPECT_EQ(PriorityName(dlg), "IDLE");
    EXPECT_EQ(WorkerNice(dlg), nNiceBefore);

    dlg.OnStartStop();
    EXPECT_EQ(sched_getscheduler(AfxGetNativeThreadId(dlg.m_pWorker->m_hThread)), SCHED_IDLE);
    DragPriorityTo(dlg, true);
    EXPECT_EQ(PriorityName(dlg), "TIME_CRITICAL");
    EXPECT_EQ(sched_getscheduler(AfxGetNativeThreadId(dlg.m_pWorker->m_hThread)), SCHED_FIFO);
    dlg.OnStartStop();
  });
}

TEST_F(Controls, FormatListWithTypedTextGivesTheFirstFormat) {
  CZelvoDlg dlg;
  RunModal(dlg, [&] {
    auto* pFormats = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SAMPLE_FORMAT));
    pFormats->SetCurSel(4);
    dlg.GatherSettings();
    EXPECT_EQ(dlg.m_nFormatFlag, static_cast<UINT>(RTAUDIO_FLOAT32));
    pFormats->SetCurSel(-1);
    dlg.GatherSettings();
    EXPECT_EQ(dlg.m_nFormatFlag, static_cast<UINT>(RTAUDIO_SINT8));
  });
}

}  // namespace
