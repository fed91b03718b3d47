#include "support/sound_files.h"

#include <lame/lame.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "xm_writer.h"

namespace fake {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("skyward-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {

xm::Instrument looped(const char* name, std::vector<std::int8_t> wave) {
  xm::Instrument instrument;
  instrument.name = name;
  instrument.sample.name = name;
  instrument.sample.loopLength = static_cast<std::uint32_t>(wave.size());
  instrument.sample.data = std::move(wave);
  return instrument;
}

// A bass note held on channel 0, a melody on channel 1 that moves every
// four rows; each pattern starts a semitone higher.
xm::Pattern tunePattern(int step) {
  xm::Pattern pattern(16, 2);
  pattern.at(0, 0) = {xm::note(3, step), 1, 0, 0, 0};
  for (int row = 0; row < 16; row += 4) pattern.at(row, 1) = {xm::note(4, step + row / 4), 2, 0, 0, 0};
  return pattern;
}

}  // namespace

void writeSmallXm(const std::filesystem::path& file, int restart) {
  xm::Module module;
  module.name = "test tune";
  module.channels = 2;
  module.instruments = {looped("square", xm::squareWave(32, 96)), looped("saw", xm::sawWave(64, 96))};
  for (int step = 0; step < 3; ++step) module.patterns.push_back(tunePattern(step));
  module.order = {0, 1, 2};
  module.restart = restart;
  xm::writeFile(module, file);
}

namespace {

void bigEndian16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace

void writeSmallMod(const std::filesystem::path& file) {
  const std::vector<std::int8_t> wave = xm::squareWave(32, 96);
  std::vector<std::uint8_t> out(20, 0);  // song name
  for (int sample = 0; sample < 31; ++sample) {
    out.insert(out.end(), 22, 0);
    const unsigned words = sample == 0 ? static_cast<unsigned>(wave.size() / 2) : 0;
    bigEndian16(out, words);             // length in words
    out.push_back(0);                    // finetune
    out.push_back(sample == 0 ? 64 : 0); // volume
    bigEndian16(out, 0);                 // loop start
    bigEndian16(out, sample == 0 ? words : 1);
  }
  out.push_back(1);    // song length
  out.push_back(127);
  out.insert(out.end(), 128, 0);
  out.insert(out.end(), {'M', '.', 'K', '.'});
  std::vector<std::uint8_t> pattern(64 * 4 * 4, 0);
  constexpr unsigned kPeriodC2 = 428;
  pattern[0] = static_cast<std::uint8_t>(kPeriodC2 >> 8);  // sample 1's high bits are 0
  pattern[1] = kPeriodC2 & 0xFF;
  pattern[2] = 0x10;  // sample 1, no effect
  out.insert(out.end(), pattern.begin(), pattern.end());
  for (std::int8_t value : wave) out.push_back(static_cast<std::uint8_t>(value));
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

void writeShortMp3(const std::filesystem::path& file, double seconds, int rate, int channels) {
  const int frames = static_cast<int>(seconds * rate);
  std::vector<short> pcm(static_cast<std::size_t>(frames * channels));
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    for (int c = 0; c < channels; ++c) {
      pcm[static_cast<std::size_t>(i * channels + c)] = static_cast<short>(12000 * std::sin(2 * std::numbers::pi * (440 + 220 * c) * t));
    }
  }
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, rate);
  lame_set_out_samplerate(lame, rate);
  lame_set_num_channels(lame, channels);
  lame_set_mode(lame, channels == 1 ? MONO : JOINT_STEREO);
  lame_set_brate(lame, 128);
  lame_set_bWriteVbrTag(lame, 0);
  if (lame_init_params(lame) < 0) throw std::runtime_error("libmp3lame refused the encoder settings");
  std::vector<unsigned char> mp3(static_cast<std::size_t>(1.25 * frames + 7200) + 7200);
  int size = channels == 1 ? lame_encode_buffer(lame, pcm.data(), pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()))
                           : lame_encode_buffer_interleaved(lame, pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
  if (size >= 0) size += lame_encode_flush(lame, mp3.data() + size, static_cast<int>(mp3.size()) - size);
  lame_close(lame);
  if (size < 0) throw std::runtime_error("libmp3lame failed to encode " + file.string());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(mp3.data()), size);
}

}  // namespace fake
