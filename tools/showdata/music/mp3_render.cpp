#include "music/mp3_render.h"

#include <lame/lame.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/fmod.h"
#include "platform/sound_seam.h"
#include "xm_writer.h"

namespace showdata {
namespace {

constexpr int kRate = 44100;

// The sound layer reads modules from files: the module goes to a private
// temporary file for the length of the rendering.
class TemporaryModule {
 public:
  explicit TemporaryModule(const xm::Module& module)
      : path_(std::filesystem::temp_directory_path() / ("showdata-" + std::to_string(::getpid()) + ".xm")) {
    xm::writeFile(module, path_);
  }
  ~TemporaryModule() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

struct SoundSession {
  SoundSession() {
    FSOUND_SetOutput(platform::sound::kOutputNoDevice);
    if (!FSOUND_Init(kRate, 32, 0)) throw std::runtime_error("the sound layer did not start");
  }
  ~SoundSession() { FSOUND_Close(); }
};

struct LameRelease {
  void operator()(lame_global_flags* lame) const { lame_close(lame); }
};

}  // namespace

std::vector<float> renderModule(const xm::Module& module, double seconds) {
  const TemporaryModule file(module);
  const SoundSession session;
  FMUSIC_MODULE* song = FMUSIC_LoadSong(file.path().c_str());
  if (song == nullptr) throw std::runtime_error("the sound layer could not load the module");
  FMUSIC_SetMasterVolume(song, 255);
  FMUSIC_PlaySong(song);
  const auto frames = static_cast<std::size_t>(seconds * kRate);
  std::vector<float> stereo(frames * 2);
  constexpr std::size_t kBlock = 4096;
  for (std::size_t at = 0; at < frames; at += kBlock) {
    const std::size_t count = std::min(kBlock, frames - at);
    platform::sound::renderMix(std::span<float>(stereo.data() + at * 2, count * 2));
  }
  FMUSIC_StopSong(song);
  return stereo;
}

std::vector<std::uint8_t> encodeMp3(std::vector<float> stereo, const Mp3Settings& settings) {
  float peak = 0.0f;
  for (float v : stereo) peak = std::max(peak, std::fabs(v));
  const float gain = peak > 0.0f ? std::pow(10.0f, settings.peakDecibels / 20.0f) / peak : 1.0f;
  std::vector<short> pcm(stereo.size());
  for (std::size_t i = 0; i < stereo.size(); ++i) pcm[i] = static_cast<short>(std::lround(stereo[i] * gain * 32767.0f));

  const std::unique_ptr<lame_global_flags, LameRelease> lame(lame_init());
  lame_set_in_samplerate(lame.get(), kRate);
  lame_set_out_samplerate(lame.get(), kRate);
  lame_set_num_channels(lame.get(), 2);
  lame_set_mode(lame.get(), JOINT_STEREO);
  lame_set_brate(lame.get(), settings.bitrate);
  lame_set_quality(lame.get(), 5);
  lame_set_bWriteVbrTag(lame.get(), 0);
  if (lame_init_params(lame.get()) < 0) throw std::runtime_error("libmp3lame refused the encoder settings");
  const int frames = static_cast<int>(pcm.size() / 2);
  std::vector<std::uint8_t> mp3(static_cast<std::size_t>(1.25 * frames + 7200) + 7200);
  int size = lame_encode_buffer_interleaved(lame.get(), pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
  if (size >= 0) {
    const int tail = lame_encode_flush(lame.get(), mp3.data() + size, static_cast<int>(mp3.size()) - size);
    size = tail < 0 ? tail : size + tail;
  }
  if (size < 0) throw std::runtime_error("libmp3lame failed to encode (code " + std::to_string(size) + ")");
  mp3.resize(static_cast<std::size_t>(size));
  return mp3;
}

}  // namespace showdata
