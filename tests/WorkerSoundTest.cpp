// The worker thread passing real sound through a private JACK server, driven by thread messages.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <memory>

#include "tests/JackFixture.h"
#include "tests/SoundTestSupport.h"
#include "tests/TestSupport.h"

namespace {

class WorkerSound : public ::testing::Test {
protected:
  void SetUp() override {
    m_pServer = std::make_unique<CJackServer>();
    m_pClient = std::make_unique<CTestClient>();
    RtAudio audio;
    m_nDevice = FindDevice(audio, CTestClient::kName);
  }
  void TearDown() override {
    m_pClient.reset();
    m_pServer.reset();
  }

  void Configure(CWorkerUnderTest& worker, RtAudioFormat format, unsigned int nDevice) const {
    worker->m_inputParams.deviceId = nDevice;
    worker->m_outputParams.deviceId = nDevice;
    worker->SetStreamParameters(CJackServer::kRate, format);
  }

  // A start request carrying its own copy of the parameters, as the dialog posts it.
  static void PostStartWithCopy(CWorkerUnderTest& worker) {
    worker.Post(WM_AUDIO_START, reinterpret_cast<LPARAM>(new STREAM_SETUP(worker->GetStreamSetup())));
  }

  // Starts passing and waits until sound comes back.
  void StartPassing(CWorkerUnderTest& worker, CNotifyThread& notify, RtAudioFormat format) const {
    worker.Post(WM_AUDIO_SETNOTIFY, reinterpret_cast<LPARAM>(&notify));
    Configure(worker, format, m_nDevice);
    PostStartWithCopy(worker);
    ASSERT_TRUE(PumpUntil([&] { return m_pClient->FirstSound(0).has_value(); }, 5000));
  }

  // Waits for sound from nFrom on and checks that it is the test signal, delayed, within the tolerance.
  void ExpectSignalBack(size_t nFrom, float tolerance, const char* pszWhat) const {
    std::optional<size_t> first;
    ASSERT_TRUE(PumpUntil([&] { return (first = m_pClient->FirstSound(nFrom)).has_value(); }, 5000))
        << pszWhat << ": nothing came back";
    const std::optional<size_t> lag = m_pClient->FindLagInSomeStretch(*first + 2 * CJackServer::kPeriod, tolerance);
    ASSERT_TRUE(lag.has_value()) << pszWhat << ": what came back is not the signal on both channels";
  }

  std::unique_ptr<CJackServer> m_pServer;
  std::unique_ptr<CTestClient> m_pClient;
  unsigned int m_nDevice = 0;
};

TEST_F(WorkerSound, EachFormatPassesBothChannelsWithinItsQuantisation) {
  CBoxRecorder boxes;
  CNotifyThread notify;
  CWorkerUnderTest worker;
  worker.Post(WM_AUDIO_SETNOTIFY, reinterpret_cast<LPARAM>(&notify));
  const RtAudioFormat formats[] = {RTAUDIO_SINT8, RTAUDIO_SINT16, RTAUDIO_SINT24, RTAUDIO_SINT32, RTAUDIO_FLOAT32, RTAUDIO_FLOAT64};
  int nStops = 0;
  for (RtAudioFormat format : formats) {
    SCOPED_TRACE(format);
    Configure(worker, format, m_nDevice);
    const size_t nFrom = m_pClient->Recorded();
    worker.Post(WM_AUDIO_START);
    ExpectSignalBack(nFrom, FormatTolerance(format), "pass");
    worker.Post(WM_AUDIO_STOP);
    ASSERT_TRUE(PumpUntil([&] { return notify.m_nStopped == nStops + 1; }, 5000));
    ++nStops;
    // Nothing passes after the stop.
    WaitForFrames(*m_pClient, 4 * CJackServer::kPeriod);
    const size_t nAfter = m_pClient->Recorded();
    WaitForFrames(*m_pClient, 4096);
    EXPECT_FALSE(m_pClient->FirstSound(nAfter).has_value());
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WorkerSound, RestartWithAnotherFormatCopiesTheNewSizeFromTheFirstBuffer) {
  CBoxRecorder boxes;
  CWorkerUnderTest worker;
  Configure(worker, RTAUDIO_SINT8, m_nDevice);
  worker.Post(WM_AUDIO_START);
  ASSERT_TRUE(PumpUntil([&] { return m_pClient->FirstSound(0).has_value(); }, 5000));
  // The dialog writes the next stream's parameters while the stop is still pending.
  worker.Post(WM_AUDIO_STOP);
  Configure(worker, RTAUDIO_FLOAT64, m_nDevice);
  worker.Post(WM_AUDIO_START);
  PumpFor(200);  // the stop's pause: the first stream is still running on its old size
  const size_t nRestart = m_pClient->Recorded();
  WaitForFrames(*m_pClient, 4 * CJackServer::kPeriod);
  const size_t nQuiet = m_pClient->Recorded();
  std::optional<size_t> first;
  ASSERT_TRUE(PumpUntil([&] { return (first = m_pClient->FirstSound(nQuiet)).has_value(); }, 5000));
  ASSERT_GT(*first, nRestart);
  WaitForFrames(*m_pClient, 8192);
  // From the first frame of the new stream on, the signal comes back bit for bit.
  bool bMatched = false;
  for (size_t nLag = 0; nLag < 4096 && !bMatched; ++nLag)
    bMatched = m_pClient->MaxError(0, nLag, *first, 4096) == 0.0f && m_pClient->MaxError(1, nLag, *first, 4096) == 0.0f;
  EXPECT_TRUE(bMatched);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WorkerSound, FailedOpenIsReportedOnceAndRequestsPostedMeanwhileAreCarriedOutAfter) {
  CNotifyThread notify;
  CWorkerUnderTest worker;
  worker.Post(WM_AUDIO_SETNOTIFY, reinterpret_cast<LPARAM>(&notify));
  CBoxRecorder boxes([&](const CBoxRecorder::Box& box) {
    if (box.text.find(L"DIRECTPLAY: ") != 0) return;
    // While the box is open: a valid start and a stop.
    Configure(worker, RTAUDIO_FLOAT32, m_nDevice);
    worker.Post(WM_AUDIO_START);
    worker.Post(WM_AUDIO_STOP);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(notify.m_nStopped, 0);
  });
  Configure(worker, RTAUDIO_FLOAT32, 9999);
  worker.Post(WM_AUDIO_START);
  ASSERT_TRUE(PumpUntil([&] { return notify.m_nStopped == 1; }, 5000)) << "the start and stop were lost";
  const std::vector<CBoxRecorder::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text.rfind(L"DIRECTPLAY: ", 0), 0u);
  EXPECT_GT(shown[0].text.size(), 12u) << "the library's text is missing";
  EXPECT_EQ(shown[0].caption, std::wstring(AfxGetApp()->m_pszAppName));
  EXPECT_EQ(shown[0].shownOn, std::this_thread::get_id());
}

TEST_F(WorkerSound, StartWhileRunningAndStopWhileIdleDoNothing) {
  CBoxRecorder boxes;
  CNotifyThread notify;
  CWorkerUnderTest worker;
  ASSERT_NO_FATAL_FAILURE(StartPassing(worker, notify, RTAUDIO_FLOAT32));
  // A second start with other parameters leaves the running stream as it is: still bit for bit.
  Configure(worker, RTAUDIO_SINT8, m_nDevice);
  PostStartWithCopy(worker);
  PumpFor(300);
  EXPECT_TRUE(m_pClient->FindLagInSomeStretch(m_pClient->Recorded(), 0.0f).has_value());
  worker.Post(WM_AUDIO_STOP);
  ASSERT_TRUE(PumpUntil([&] { return notify.m_nStopped == 1; }, 5000));
  // A stop while idle neither pauses nor tells anyone: the quit behind it ends the thread at once.
  worker.Post(WM_AUDIO_STOP);
  QElapsedTimer timer;
  timer.start();
  ASSERT_TRUE(worker.Quit());
  EXPECT_LT(timer.elapsed(), 400);
  PumpFor(100);
  EXPECT_EQ(notify.m_nStopped, 1);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(WorkerSound, NoRateChosenIsHandedToTheLibraryAndItsRefusalReported) {
  CBoxRecorder boxes;
  CWorkerUnderTest worker;
  worker->m_inputParams.deviceId = worker->m_outputParams.deviceId = m_nDevice;
  worker->SetStreamParameters(-1, RTAUDIO_SINT16);
  worker.Post(WM_AUDIO_START);
  ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }, 5000));
  EXPECT_EQ(boxes.Boxes()[0].text.rfind(L"DIRECTPLAY: ", 0), 0u);
  EXPECT_NE(boxes.Boxes()[0].text.find(L"4294967295"), std::wstring::npos) << "the library saw the rate as it was";
}

TEST_F(WorkerSound, ServerKilledWhilePassingNeitherCrashesNorHangs) {
  CBoxRecorder boxes;
  CNotifyThread notify;
  CWorkerUnderTest worker;
  ASSERT_NO_FATAL_FAILURE(StartPassing(worker, notify, RTAUDIO_SINT16));
  m_pServer->Kill();
  // The library closes the stream by itself, on a thread of its own; the stop comes after that.
  ASSERT_TRUE(PumpUntil([&] { return !worker->m_rtAudio.isStreamOpen(); }, 5000));
  PumpFor(1000);  // and lets the library's closing thread end
  worker.Post(WM_AUDIO_STOP);
  ASSERT_TRUE(PumpUntil([&] { return notify.m_nStopped == 1; }, 5000)) << "the stop was not handled";
  const size_t nBeforeStart = boxes.Count();
  worker.Post(WM_AUDIO_START);
  ASSERT_TRUE(PumpUntil([&] { return boxes.Count() > nBeforeStart; }, 5000)) << "the failed start was not reported";
  for (const CBoxRecorder::Box& box : boxes.Boxes()) EXPECT_EQ(box.text.rfind(L"DIRECTPLAY: ", 0), 0u);
  EXPECT_TRUE(worker.Quit());
}

TEST_F(WorkerSound, QuitWhileRunningStopsAndClosesBeforeTheThreadEnds) {
  CBoxRecorder boxes;
  CNotifyThread notify;
  CWorkerUnderTest worker;
  ASSERT_NO_FATAL_FAILURE(StartPassing(worker, notify, RTAUDIO_FLOAT32));
  const auto workerClientListed = [] {
    RtAudio audio;
    for (unsigned int i = 0; i < audio.getDeviceCount(); ++i)
      if (audio.getDeviceInfo(i).name.find("RtApiJack") != std::string::npos) return true;
    return false;
  };
  ASSERT_TRUE(workerClientListed());
  ASSERT_TRUE(worker.Quit());
  // The stop notice was posted before the thread ended, and the worker's client has left the server.
  EXPECT_TRUE(PumpUntil([&] { return notify.m_nStopped == 1; }, 2000));
  EXPECT_FALSE(workerClientListed());
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
