#include "tests/JackFixture.h"

#include <signal.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

bool ServerAnswers() {
  jack_status_t status{};
  jack_client_t* pProbe = jack_client_open("zelvoprobe", JackNoStartServer, &status);
  if (!pProbe) return false;
  jack_client_close(pProbe);
  return true;
}

// A fixed pseudo-random sequence per channel: no period, so the delay that matches is unique.
uint32_t Hash(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

int NextServerNumber() {
  static int nServers = 0;
  return ++nServers;
}

}  // namespace

CJackServer::CJackServer() : m_strName("zelvo" + std::to_string(getpid()) + "_" + std::to_string(NextServerNumber())) {
  // The library's complaints while the server is still coming up are expected; keep the log readable.
  jack_set_error_function([](const char*) {});
  jack_set_info_function([](const char*) {});
  setenv("JACK_DEFAULT_SERVER", m_strName.c_str(), 1);
  setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
  const std::string rate = std::to_string(kRate);
  const std::string period = std::to_string(kPeriod);
  const char* argv[] = {"jackd", "-n", m_strName.c_str(), "-S", "--no-realtime", "-d", "dummy", "-r", rate.c_str(),
                        "-p", period.c_str(), "-C", "2", "-P", "2", nullptr};
  m_pid = fork();
  if (m_pid == 0) {
    // The server must not outlive the test, nor hold its output open.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int fdNull = open("/dev/null", O_WRONLY);
    dup2(fdNull, STDOUT_FILENO);
    dup2(fdNull, STDERR_FILENO);
    execvp("jackd", const_cast<char**>(argv));
    _exit(127);
  }
  int nStatus = 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (m_pid < 0 || waitpid(m_pid, &nStatus, WNOHANG) == m_pid) {
    m_pid = -1;
    std::fprintf(stderr, "jackd could not be started: the real-sound tests need jackd2 (scripts/setup.sh installs it)\n");
    std::abort();
  }
  for (int i = 0; i < 200 && !ServerAnswers(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  if (!ServerAnswers()) {
    std::fprintf(stderr, "jackd did not take clients within 5 s\n");
    std::abort();
  }
}

CJackServer::~CJackServer() { Kill(); }

void CJackServer::Kill() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}

CTestClient::CTestClient(size_t nRecordFrames) {
  for (auto& record : m_aRecord) record.assign(nRecordFrames, 0.0f);
  jack_status_t status{};
  m_pClient = jack_client_open(kName, JackNoStartServer, &status);
  if (!m_pClient) {
    std::fprintf(stderr, "the test client could not join the JACK server\n");
    std::abort();
  }
  for (int c = 0; c < 2; ++c) {
    const std::string out = "out_" + std::to_string(c + 1);
    const std::string in = "in_" + std::to_string(c + 1);
    m_aOut[c] = jack_port_register(m_pClient, out.c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    m_aIn[c] = jack_port_register(m_pClient, in.c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
  }
  jack_set_process_callback(m_pClient, &CTestClient::Process, this);
  jack_on_shutdown(m_pClient, &CTestClient::OnShutdown, this);
  jack_activate(m_pClient);
}

CTestClient::~CTestClient() {
  // After the server has gone, libjack crashes in jack_client_close; the dead client is left as it is.
  if (m_bShutDown) return;
  jack_deactivate(m_pClient);
  jack_client_close(m_pClient);
}

float CTestClient::Signal(int nChannel, size_t nFrame) {
  const uint32_t h = Hash(static_cast<uint32_t>(nFrame) * 2U + static_cast<uint32_t>(nChannel) + 1U);
  return (static_cast<float>(h % 65536U) / 65536.0f - 0.5f) * 0.9f;
}

int CTestClient::Process(jack_nframes_t nFrames, void* pArg) {
  auto* pSelf = static_cast<CTestClient*>(pArg);
  for (int c = 0; c < 2; ++c) {
    auto* pOut = static_cast<float*>(jack_port_get_buffer(pSelf->m_aOut[c], nFrames));
    for (jack_nframes_t i = 0; i < nFrames; ++i) pOut[i] = Signal(c, pSelf->m_nPlayed + i);
  }
  pSelf->m_nPlayed += nFrames;
  const size_t nAt = pSelf->m_nRecorded.load(std::memory_order_relaxed);
  const size_t nTake = std::min<size_t>(nFrames, pSelf->m_aRecord[0].size() - nAt);
  for (int c = 0; c < 2; ++c) {
    const auto* pIn = static_cast<const float*>(jack_port_get_buffer(pSelf->m_aIn[c], nFrames));
    std::copy(pIn, pIn + nTake, pSelf->m_aRecord[c].begin() + static_cast<std::ptrdiff_t>(nAt));
  }
  pSelf->m_nRecorded.store(nAt + nTake, std::memory_order_release);
  return 0;
}

void CTestClient::OnShutdown(void* pArg) { static_cast<CTestClient*>(pArg)->m_bShutDown = true; }

std::optional<size_t> CTestClient::FirstSound(size_t nFrom) const {
  const size_t nEnd = Recorded();
  for (size_t i = nFrom; i < nEnd; ++i)
    if (m_aRecord[0][i] != 0.0f || m_aRecord[1][i] != 0.0f) return i;
  return std::nullopt;
}

float CTestClient::MaxError(int nChannel, size_t nLag, size_t nFrom, size_t nFrames) const {
  float maxError = 0.0f;
  for (size_t i = nFrom; i < nFrom + nFrames && i < Recorded(); ++i) {
    if (i < nLag) return INFINITY;
    maxError = std::max(maxError, std::fabs(m_aRecord[nChannel][i] - Signal(nChannel, i - nLag)));
  }
  return maxError;
}

std::optional<size_t> CTestClient::FindLag(size_t nFrom, size_t nFrames, float tolerance, size_t nMaxLag) const {
  for (size_t nLag = 0; nLag < nMaxLag && nLag <= nFrom; ++nLag) {
    // A cheap look at a few frames first, then the whole stretch on both channels.
    if (MaxError(0, nLag, nFrom, 8) > tolerance) continue;
    if (MaxError(0, nLag, nFrom, nFrames) <= tolerance && MaxError(1, nLag, nFrom, nFrames) <= tolerance) return nLag;
  }
  return std::nullopt;
}

std::optional<size_t> CTestClient::FindLagInSomeStretch(size_t nFrom, float tolerance, int nStretches) const {
  constexpr size_t kStretch = 8192;
  for (int i = 0; i < nStretches; ++i) {
    const size_t nStart = nFrom + static_cast<size_t>(i) * kStretch;
    for (int n = 0; n < 2000 && Recorded() < nStart + kStretch; ++n) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (std::optional<size_t> lag = FindLag(nStart, kStretch, tolerance)) return lag;
  }
  return std::nullopt;
}

void WaitForFrames(const CTestClient& client, size_t nFrames) {
  const size_t nTarget = client.Recorded() + nFrames;
  for (int i = 0; i < 2000 && client.Recorded() < nTarget; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
