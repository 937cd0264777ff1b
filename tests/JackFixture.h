// A private JACK server with the dummy driver, and a test client that plays a known signal and
// records what comes back.
#pragma once

#include <jack/jack.h>
#include <sys/types.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

class CJackServer {
public:
  static constexpr unsigned int kRate = 48000;
  static constexpr unsigned int kPeriod = 256;

  // Starts jackd under its own server name and waits until it takes clients; fails the test when
  // jackd is missing or does not come up.
  CJackServer();
  ~CJackServer();
  void Kill();
  const std::string& Name() const { return m_strName; }

private:
  std::string m_strName;
  pid_t m_pid = -1;
};

// Plays a different pseudo-random signal on each of its two outputs and records its two inputs.
class CTestClient {
public:
  static constexpr const char* kName = "zelvotest";

  explicit CTestClient(size_t nRecordFrames = CJackServer::kRate * 20);
  ~CTestClient();

  // The signal played on a channel at a frame; below 0.5 in magnitude.
  static float Signal(int nChannel, size_t nFrame);
  // Frames recorded so far.
  size_t Recorded() const { return m_nRecorded.load(std::memory_order_acquire); }
  // The first recorded frame at or after nFrom that is not silence, if any.
  std::optional<size_t> FirstSound(size_t nFrom) const;
  float Sample(int nChannel, size_t nFrame) const { return m_aRecord[nChannel][nFrame]; }

  // The delay, in frames, at which the recording from nFrom on repeats the signal within the
  // tolerance on both channels for nFrames frames; nullopt when no delay below nMaxLag does.
  std::optional<size_t> FindLag(size_t nFrom, size_t nFrames, float tolerance, size_t nMaxLag = 8192) const;
  // FindLag over successive stretches from nFrom on, waiting for the frames each needs, so that one
  // scheduling hiccup of the JACK server does not hide a signal that otherwise comes back intact.
  std::optional<size_t> FindLagInSomeStretch(size_t nFrom, float tolerance, int nStretches = 6) const;
  // The largest difference from the signal at that delay over the frames given, per channel.
  float MaxError(int nChannel, size_t nLag, size_t nFrom, size_t nFrames) const;
  bool IsShutDown() const { return m_bShutDown.load(); }

private:
  static int Process(jack_nframes_t nFrames, void* pArg);
  static void OnShutdown(void* pArg);

  jack_client_t* m_pClient = nullptr;
  jack_port_t* m_aOut[2] = {};
  jack_port_t* m_aIn[2] = {};
  std::vector<float> m_aRecord[2];
  std::atomic<size_t> m_nRecorded{0};
  size_t m_nPlayed = 0;
  std::atomic<bool> m_bShutDown{false};
};

// Blocks until the recording holds at least nFrames frames beyond what it held at the call.
void WaitForFrames(const CTestClient& client, size_t nFrames);
