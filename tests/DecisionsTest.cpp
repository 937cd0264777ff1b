// The plain decisions: stream parameters, failure texts, device lists, rates and icon placement.
#include <gtest/gtest.h>

#include "audio/RecordSoundDirect.h"
#include "ui/DeviceChoice.h"

namespace {

TEST(StreamSetup, BufferFramesKeepTheBufferAt512FramesOf44100Hz) {
  const std::pair<int, unsigned int> cases[] = {{8000, 92},   {11025, 128}, {16000, 185}, {22050, 256}, {32000, 371},
                                                {44100, 512}, {48000, 557}, {88200, 1024}, {96000, 1114}, {-1, 0}};
  for (auto [nRate, nFrames] : cases) EXPECT_EQ(BufferFramesForRate(nRate), nFrames) << nRate;
}

TEST(StreamSetup, BytesPerSampleFollowTheFormatAndIgnoreUnknownFlags) {
  const std::pair<RtAudioFormat, int> cases[] = {{RTAUDIO_SINT8, 1},   {RTAUDIO_SINT16, 2},  {RTAUDIO_SINT24, 3},
                                                 {RTAUDIO_SINT32, 4},  {RTAUDIO_FLOAT32, 4}, {RTAUDIO_FLOAT64, 8},
                                                 {0, 7},               {64, 7},              {RTAUDIO_SINT8 | RTAUDIO_SINT16, 7}};
  for (auto [format, nBytes] : cases) EXPECT_EQ(BytesPerSampleForFormat(format, 7), nBytes) << format;
}

TEST(StreamSetup, SetStreamParametersDerivesTheStreamAndKeepsTheDevices) {
  CRecordSoundDirect worker;
  worker.m_inputParams.deviceId = 5;
  worker.m_outputParams.deviceId = 6;
  worker.SetStreamParameters(-1, RTAUDIO_FLOAT64);
  const STREAM_SETUP setup = worker.GetStreamSetup();
  EXPECT_EQ(setup.sampleRate, 4294967295u);
  EXPECT_EQ(setup.bufferFrames, 0u);
  EXPECT_EQ(setup.bytesPerSample, 8);
  EXPECT_EQ(setup.input.deviceId, 5u);
  EXPECT_EQ(setup.output.deviceId, 6u);
  EXPECT_EQ(setup.input.nChannels, 2u);
  EXPECT_EQ(setup.output.nChannels, 2u);
  worker.SetStreamParameters(48000, 0x40);
  EXPECT_EQ(worker.m_format, 0x40u);
  EXPECT_EQ(worker.m_bytesPerSample, 8);
}

TEST(StreamSetup, CallbackWithoutUserDataLeavesTheOutputAlone) {
  unsigned char input[64];
  unsigned char output[64];
  std::fill(std::begin(input), std::end(input), 0x11);
  std::fill(std::begin(output), std::end(output), 0x22);
  EXPECT_EQ(DuplexCallback(output, input, 8, 0.0, 0, nullptr), 0);
  EXPECT_TRUE(std::all_of(std::begin(output), std::end(output), [](unsigned char c) { return c == 0x22; }));
}

TEST(StreamSetup, FailureTextFitsTheBoxAndKeepsWhatFits) {
  EXPECT_EQ(FormatAudioFailure("no device").str(), L"DIRECTPLAY: no device");
  const std::string exact(247, 'x');
  EXPECT_EQ(FormatAudioFailure(exact.c_str()).str(), L"DIRECTPLAY: " + std::wstring(247, L'x'));
  const std::string longer = std::string(247, 'y') + "tail";
  EXPECT_EQ(FormatAudioFailure(longer.c_str()).str(), L"DIRECTPLAY: " + std::wstring(247, L'y'));
  // Invalid bytes become replacement characters, not a crash.
  EXPECT_EQ(FormatAudioFailure("bad \xff byte").str(), L"DIRECTPLAY: bad \uFFFD byte");
  EXPECT_EQ(FormatAudioFailure("K\xc3\xa1ra").str(), L"DIRECTPLAY: K\u00e1ra");
}

RtAudio::DeviceInfo Device(const char* pszName, unsigned int nIn, unsigned int nOut, bool bProbed = true) {
  RtAudio::DeviceInfo info;
  info.probed = bProbed;
  info.name = pszName;
  info.inputChannels = nIn;
  info.outputChannels = nOut;
  return info;
}

TEST(DeviceChoice, ListsTakeProbedDevicesByDirectionInDeviceOrder) {
  const std::vector<RtAudio::DeviceInfo> devices = {Device("out", 0, 2), Device("in", 2, 0), Device("both", 2, 2),
                                                    Device("unprobed", 2, 2, false), Device("none", 0, 0),
                                                    Device("both", 1, 1)};
  const DEVICE_LISTS lists = ChooseDeviceLists(devices, 512);
  ASSERT_EQ(lists.inputs.size(), 3u);
  EXPECT_EQ(lists.inputs[0].nDevice, 1u);
  EXPECT_EQ(lists.inputs[1].nDevice, 2u);
  EXPECT_EQ(lists.inputs[2].nDevice, 5u);
  EXPECT_EQ(lists.inputs[1].name, "both");
  ASSERT_EQ(lists.outputs.size(), 3u);
  EXPECT_EQ(lists.outputs[0].nDevice, 0u);
  EXPECT_EQ(lists.outputs[1].nDevice, 2u);
  EXPECT_EQ(lists.outputs[2].nDevice, 5u);
  EXPECT_TRUE(ChooseDeviceLists({}, 512).inputs.empty());
}

TEST(DeviceChoice, ListsStopAtTheirCapacity) {
  std::vector<RtAudio::DeviceInfo> devices(600, Device("d", 2, 2));
  devices.push_back(Device("late output", 0, 2));
  const DEVICE_LISTS lists = ChooseDeviceLists(devices, 512);
  EXPECT_EQ(lists.inputs.size(), 512u);
  EXPECT_EQ(lists.outputs.size(), 512u);
  EXPECT_EQ(lists.inputs.back().nDevice, 511u);
}

TEST(DeviceChoice, CommonRatesFollowTheInputBelow100000) {
  using Rates = std::vector<unsigned int>;
  const struct {
    Rates in, out, expected;
  } cases[] = {
      {{8000, 11025, 22050, 44100, 48000, 96000, 192000}, {44100, 48000, 96000, 192000}, {44100, 48000, 96000}},
      {{192000}, {192000}, {}},
      {{100000}, {100000}, {}},
      {{96000}, {96000, 44100}, {96000}},
      {{48000, 44100, 48000}, {44100, 48000, 48000}, {48000, 44100, 48000}},
      {{44100}, {}, {}},
      {{99999, 100001}, {100001, 99999}, {99999}},
  };
  for (const auto& c : cases) EXPECT_EQ(CommonSampleRates(c.in, c.out), c.expected);
}

TEST(DeviceChoice, RateTextReadsLikeTheRuntimeLibrary) {
  const std::pair<const wchar_t*, int> cases[] = {{L"44100", 44100}, {L"  48000", 48000}, {L"-1", -1},
                                                  {L"+8000", 8000},  {L"96000 Hz", 96000}, {L"abc", 0},
                                                  {L"", 0},          {L"99999999999", 2147483647}, {L"-99999999999", -2147483647 - 1}};
  for (auto [pszText, nValue] : cases) EXPECT_EQ(ReadRateText(pszText), nValue) << pszText;
}

TEST(Painting, IconIsCentredRoundingTowardZero) {
  const std::tuple<int, int, int> cases[] = {{30, 32, 0}, {31, 32, 0}, {32, 32, 0}, {100, 32, 34}, {101, 32, 35},
                                             {28, 32, -1}, {0, 32, -15}};
  for (auto [nClient, nIcon, nOffset] : cases) EXPECT_EQ(IconOffset(nClient, nIcon), nOffset) << nClient;
}

}  // namespace
