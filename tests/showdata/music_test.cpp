// The generated music plays through the sound layer: both modules load and
// sound without clipping; the MP3 stream lasts the show's 170 s, never
// reaches full scale, and its loudness changes at every section start.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "music/tunes.h"
#include "platform/fmod.h"
#include "platform/sound_seam.h"
#include "showdata/showdata_folder.h"
#include "support/sound_probe.h"

namespace {

using namespace std::chrono_literals;
constexpr std::size_t kRate = 44100;

class GeneratedMusic : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(fake::startSoundWithoutDevice()); }
  void TearDown() override { FSOUND_Close(); }
};

TEST_F(GeneratedMusic, ModulesLoadAndSoundBelowFullScale) {
  for (const char* name : {"demo\\_SKYWARD11.xm", "demo\\_SKYWARD22.xm"}) {
    FMUSIC_MODULE* module = FMUSIC_LoadSong(showdatatest::dataFile(name).c_str());
    ASSERT_NE(module, nullptr) << name;
    EXPECT_EQ(FMUSIC_GetType(module), FMUSIC_TYPE_XM) << name;
    FMUSIC_SetMasterVolume(module, 255);
    FMUSIC_PlaySong(module);
    const std::vector<float> mix = fake::renderFrames(8 * kRate);
    FMUSIC_StopSong(module);
    EXPECT_GT(fake::peak(mix), 0.05f) << name;
    EXPECT_LT(fake::peak(mix), 1.0f) << name;
  }
}

int streamEnds = 0;
signed char countEnd(FSOUND_STREAM*, void* text, int, int) {
  if (text == nullptr) ++streamEnds;
  return 1;
}

double decibels(const std::vector<float>& mix, double from, double to) {
  double sum = 0.0;
  const auto first = static_cast<std::size_t>(from * kRate) * 2, last = static_cast<std::size_t>(to * kRate) * 2;
  for (std::size_t i = first; i < last; ++i) sum += mix[i] * mix[i];
  return 10.0 * std::log10(sum / static_cast<double>(last - first) + 1e-12);
}

TEST_F(GeneratedMusic, StreamLastsTheShowAndChangesAtEverySectionStart) {
  FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(showdatatest::dataFile("demo\\Skyward.mp3").c_str(), 0x2B, 0);
  ASSERT_NE(stream, nullptr);
  streamEnds = 0;
  FSOUND_Stream_SetEndCallback(stream, &countEnd, 0);
  ASSERT_NE(FSOUND_Stream_Play(FSOUND_FREE, stream), -1);
  std::vector<float> mix;
  constexpr std::size_t kBlock = 4410;
  while (streamEnds == 0 && mix.size() < 200 * kRate * 2) {
    ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(stream, 20s));
    const std::vector<float> block = fake::renderFrames(kBlock);
    mix.insert(mix.end(), block.begin(), block.end());
  }
  ASSERT_EQ(streamEnds, 1);
  EXPECT_GE(mix.size() / 2, 170 * kRate);
  EXPECT_LT(fake::peak(mix), 1.0f);
  for (int row : showdata::kSectionRows) {
    const double start = row / 10.0;
    const double before = decibels(mix, start - 0.5, start), after = decibels(mix, start, start + 0.5);
    EXPECT_GT(std::fabs(after - before), 1.5) << "at " << start << " s: " << before << " dB before, " << after << " dB after";
  }
}

}  // namespace
