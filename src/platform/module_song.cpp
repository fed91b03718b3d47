#include "platform/module_song.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/data_files.h"

namespace {

using platform::sound::Failure;

int moduleType(const std::string& kind) {
  static const std::map<std::string, int> types = {
      {"mod", FMUSIC_TYPE_MOD}, {"s3m", FMUSIC_TYPE_S3M}, {"xm", FMUSIC_TYPE_XM}, {"it", FMUSIC_TYPE_IT}};
  const auto found = types.find(kind);
  return found == types.end() ? FMUSIC_TYPE_NONE : found->second;
}

}  // namespace

FMUSIC_MODULE::FMUSIC_MODULE(const std::string& path, int mixRate) : mixRate_(mixRate) {
  const std::optional<std::vector<std::uint8_t>> bytes = platform::readDataFile(path);
  if (!bytes) throw Failure{FMOD_ERR_FILE_NOTFOUND};
  try {
    player_ = std::make_unique<openmpt::module>(*bytes, log_);
  } catch (const openmpt::exception&) {
    throw Failure{FMOD_ERR_FILE_FORMAT};
  }
  type_ = moduleType(player_->get_metadata("type"));
  if (type_ == FMUSIC_TYPE_NONE) throw Failure{FMOD_ERR_FILE_FORMAT};
  player_->set_repeat_count(-1);  // tunes loop until stopped
}

void FMUSIC_MODULE::setMasterVolume(int volume) { gain_ = static_cast<float>(std::clamp(volume, 0, 255)) / 255.0f; }

void FMUSIC_MODULE::setPanSeparation(float separation) {
  const float percent = std::clamp(separation, 0.0f, 1.0f) * 100.0f;
  player_->set_render_param(openmpt::module::RENDER_STEREOSEPARATION_PERCENT, static_cast<std::int32_t>(percent + 0.5f));
}

void FMUSIC_MODULE::restart() { player_->set_position_order_row(0, 0); }

// The tune is played from its start up to the moment and the samples are
// dropped: a seek by rows would start notes late and lose the ones still
// ringing, and a tune renders much faster than it plays.
void FMUSIC_MODULE::seek(double seconds) {
  restart();
  auto frames = static_cast<std::size_t>(std::llround(std::max(0.0, seconds) * mixRate_));
  block_.resize(4096 * platform::sound::kChannels);
  while (frames > 0) {
    const std::size_t step = std::min<std::size_t>(frames, 4096);
    if (player_->read_interleaved_stereo(mixRate_, step, block_.data()) == 0) break;
    frames -= step;
  }
}

bool FMUSIC_MODULE::mixInto(std::span<float> mix, std::vector<platform::sound::Notice>&) {
  block_.resize(mix.size());
  const std::size_t frames = player_->read_interleaved_stereo(mixRate_, mix.size() / platform::sound::kChannels, block_.data());
  const std::size_t samples = frames * platform::sound::kChannels;
  for (std::size_t i = 0; i < samples; ++i) mix[i] += block_[i] * gain_;
  return frames > 0;
}
