// The copy callback's cost per buffer, for each sample format, at the 48000 Hz buffer of 557 frames.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/RecordSoundDirect.h"

namespace {

// A worker whose open stream is set directly, as opening a stream would.
class CBenchWorker : public CRecordSoundDirect {
public:
  explicit CBenchWorker(RtAudioFormat format) {
    SetStreamParameters(48000, format);
    m_openSetup = GetStreamSetup();
    m_nOpenFrameBytes = m_openSetup.bytesPerSample * static_cast<int>(m_openSetup.input.nChannels);
  }
};

void BM_DuplexCallback(benchmark::State& state) {
  const auto format = static_cast<RtAudioFormat>(state.range(0));
  CBenchWorker worker(format);
  const unsigned int nFrames = worker.m_bufferFrames;
  const size_t nBytes = static_cast<size_t>(worker.GetOpenFrameBytes()) * nFrames;
  std::vector<unsigned char> input(nBytes, 0x5A);
  std::vector<unsigned char> output(nBytes);
  for (auto _ : state) {
    DuplexCallback(output.data(), input.data(), nFrames, 0.0, 0, &worker);
    benchmark::DoNotOptimize(output.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * nBytes));
  state.SetLabel(std::to_string(nBytes) + " bytes per buffer");
}

BENCHMARK(BM_DuplexCallback)->ArgName("format")->Arg(RTAUDIO_SINT8)->Arg(RTAUDIO_SINT16)->Arg(RTAUDIO_SINT24)->Arg(RTAUDIO_SINT32)->Arg(RTAUDIO_FLOAT32)->Arg(RTAUDIO_FLOAT64);

}  // namespace

BENCHMARK_MAIN();
