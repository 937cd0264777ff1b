// Through a private JACK server: the lag Zelvo's engine adds and the CPU time it takes to pass sound,
// beside a bare RtAudio program that does one memcpy per buffer.
//   pass_bench             runs both and prints the figures (run it inside its own JACK namespace)
//   pass_bench engine N    passes sound with the worker thread for N seconds, prints its CPU time
//   pass_bench bare N      the same with a bare RtAudio duplex stream
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "audio/RecordSoundDirect.h"
#include "tests/JackFixture.h"

namespace {

constexpr const char* kDevice = CTestClient::kName;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

unsigned int FindDevice(RtAudio& audio) {
  for (unsigned int i = 0; i < audio.getDeviceCount(); ++i)
    if (audio.getDeviceInfo(i).name == kDevice) return i;
  std::fprintf(stderr, "no device %s\n", kDevice);
  std::exit(1);
}

// Passes for the given time once the stream runs, and prints the CPU time spent meanwhile.
void Measure(int nSeconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const double start = CpuSeconds();
  std::this_thread::sleep_for(std::chrono::seconds(nSeconds));
  std::printf("%.6f\n", CpuSeconds() - start);
  std::fflush(stdout);
}

int RunEngine(int nSeconds) {
  auto* pWorker = new CRecordSoundDirect;
  pWorker->CreateThread();
  HANDLE hThread = pWorker->m_hThread;
  pWorker->m_inputParams.deviceId = pWorker->m_outputParams.deviceId = FindDevice(pWorker->m_rtAudio);
  pWorker->SetStreamParameters(CJackServer::kRate, RTAUDIO_FLOAT32);
  PostThreadMessageW(pWorker->m_nThreadID, WM_AUDIO_START, 0, 0);
  Measure(nSeconds);
  PostThreadMessageW(pWorker->m_nThreadID, WM_AUDIO_QUIT, 0, 0);
  return WaitForSingleObject(hThread, 5000) == WAIT_OBJECT_0 ? 0 : 1;
}

int BareCopy(void* pOut, void* pIn, unsigned int nFrames, double, RtAudioStreamStatus, void*) {
  std::memcpy(pOut, pIn, nFrames * 2 * sizeof(float));
  return 0;
}

int RunBare(int nSeconds) {
  RtAudio audio;
  RtAudio::StreamParameters params;
  params.deviceId = FindDevice(audio);
  params.nChannels = 2;
  unsigned int nFrames = BufferFramesForRate(CJackServer::kRate);
  audio.openStream(&params, &params, RTAUDIO_FLOAT32, CJackServer::kRate, &nFrames, &BareCopy, nullptr);
  audio.startStream();
  Measure(nSeconds);
  audio.stopStream();
  audio.closeStream();
  return 0;
}

struct RUN {
  double cpu = 0;
  long long lag = -1;
};

// Runs one passing program against the test client and reads its lag and CPU time.
RUN RunChild(const char* pszSelf, const char* pszMode, int nSeconds, CTestClient& client) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  const size_t nFrom = client.Recorded();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    const std::string seconds = std::to_string(nSeconds);
    execl(pszSelf, pszSelf, pszMode, seconds.c_str(), nullptr);
    _exit(127);
  }
  close(fds[1]);
  char buffer[64] = {};
  const ssize_t n = read(fds[0], buffer, sizeof(buffer) - 1);
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  RUN run;
  run.cpu = n > 0 ? std::atof(buffer) : -1;
  if (const std::optional<size_t> first = client.FirstSound(nFrom)) {
    if (const std::optional<size_t> lag = client.FindLag(*first + 4 * CJackServer::kPeriod, 8192, 0.0f))
      run.lag = static_cast<long long>(*lag);
  }
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3) {
    const int nSeconds = std::atoi(argv[2]);
    return std::strcmp(argv[1], "engine") == 0 ? RunEngine(nSeconds) : RunBare(nSeconds);
  }
  const int nSeconds = 10;
  CJackServer server;
  CTestClient client(CJackServer::kRate * (nSeconds + 2) * 5);
  std::printf("JACK dummy driver: %u Hz, period %u frames; float32, %d s of passing per run\n", CJackServer::kRate,
              CJackServer::kPeriod, nSeconds);
  RUN engine[2], bare[2];
  for (int i = 0; i < 2; ++i) {
    engine[i] = RunChild(argv[0], "engine", nSeconds, client);
    bare[i] = RunChild(argv[0], "bare", nSeconds, client);
  }
  for (int i = 0; i < 2; ++i)
    std::printf("run %d: lag engine %lld frames, bare RtAudio %lld frames; CPU engine %.3f s, bare %.3f s, ratio %.3f\n", i + 1,
                engine[i].lag, bare[i].lag, engine[i].cpu, bare[i].cpu, bare[i].cpu > 0 ? engine[i].cpu / bare[i].cpu : 0.0);
  const double engineCpu = engine[0].cpu + engine[1].cpu;
  const double bareCpu = bare[0].cpu + bare[1].cpu;
  std::printf("lag added by the engine beyond the bare RtAudio copy: %lld frames; one period is %u frames\n",
              engine[0].lag - bare[0].lag, CJackServer::kPeriod);
  std::printf("CPU time ratio engine / bare over both runs: %.3f\n", bareCpu > 0 ? engineCpu / bareCpu : 0.0);
  return 0;
}
