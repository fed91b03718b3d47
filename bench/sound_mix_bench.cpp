// Cost of mixing one audio device block (1024 stereo frames, 23.2 ms of sound
// at 44100 Hz) with a module tune playing, beside the reference of the same
// block with nothing playing: the difference is what libopenmpt's rendering
// and our gain cost per block, to be compared with the block's 23.2 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fmod.h"
#include "platform/sound_seam.h"
#include "xm_writer.h"

namespace {

constexpr std::size_t kBlockFrames = 1024;

std::string writeTune() {
  xm::Module module;
  module.channels = 8;
  module.instruments = {{"square", {"square", xm::squareWave(32, 90), 0, 32, 64, 0, 128, 0}},
                        {"saw", {"saw", xm::sawWave(64, 90), 0, 64, 64, 0, 128, 0}}};
  module.patterns.emplace_back(64, 8);
  for (int row = 0; row < 64; row += 2) {
    for (int channel = 0; channel < 8; ++channel) {
      module.patterns[0].at(row, channel) = {xm::note(3 + channel % 3, (row + channel) % 12),
                                             static_cast<std::uint8_t>(1 + channel % 2), 0, 0, 0};
    }
  }
  module.order = {0};
  const std::string file = (std::filesystem::temp_directory_path() / "skyward-bench-tune.xm").string();
  xm::writeFile(module, file);
  return file;
}

void mixBlocks(benchmark::State& state, bool withTune) {
  FSOUND_SetOutput(platform::sound::kOutputNoDevice);
  FSOUND_Init(44100, 32, 0);
  const std::string file = writeTune();
  if (withTune) FMUSIC_PlaySong(FMUSIC_LoadSong(file.c_str()));
  std::vector<float> block(kBlockFrames * 2);
  for (auto _ : state) {
    platform::sound::renderMix(block);
    benchmark::DoNotOptimize(block.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kBlockFrames));
  FSOUND_Close();
  std::filesystem::remove(file);
}

void BM_MixBlockWithEightChannelTune(benchmark::State& state) { mixBlocks(state, true); }
BENCHMARK(BM_MixBlockWithEightChannelTune)->Unit(benchmark::kMicrosecond);

// Reference: the same block with nothing playing.
void BM_MixBlockSilent(benchmark::State& state) { mixBlocks(state, false); }
BENCHMARK(BM_MixBlockSilent)->Unit(benchmark::kMicrosecond);

}  // namespace
