#include "platform/module_song.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/data_files.h"

namespace {

using platform::sound::Failure;

// Past this (more than three hundred centuries), a seek goes no farther.
constexpr double kLongestSeek = 1e12;

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
// ringing, and a tune renders much faster than it plays. A tune loops for
// as long as it plays, though, so a moment far in is played as the same
// moment of the loop nearer the start (withinTheLoops): a seek costs at most
// the first pass and two loops of rendering, wherever it goes.
void FMUSIC_MODULE::seek(double seconds) {
  const double frames = std::clamp(seconds, 0.0, kLongestSeek) * mixRate_;
  std::uint64_t left = withinTheLoops(static_cast<std::uint64_t>(std::llround(frames)));
  restart();
  block_.resize(4096 * platform::sound::kChannels);
  while (left > 0) {
    const std::size_t step = std::min<std::uint64_t>(left, 4096);
    if (player_->read_interleaved_stereo(mixRate_, step, block_.data()) == 0) break;
    left -= step;
  }
}

// After its first pass the tune plays its loop again and again, and each
// time round sounds as it did two times before (a looped sample's phase may
// alternate between one time and the next, so one loop is not always
// enough): a frame past the first pass and two loops is the frame whole
// pairs of loops earlier, sample for sample.
std::uint64_t FMUSIC_MODULE::withinTheLoops(std::uint64_t frame) {
  const Loop tune = loop();
  if (tune.length == 0) return frame;
  const std::uint64_t firstPass = tune.restart + tune.length;
  const std::uint64_t pair = 2 * tune.length;
  return frame <= firstPass + pair ? frame : firstPass + (frame - firstPass) % pair;
}

FMUSIC_MODULE::Loop FMUSIC_MODULE::loop() {
  if (!loop_) loop_ = measureLoop();
  return *loop_;
}

// The first pass ends where libopenmpt's duration says; the row played just
// after it is the one the tune loops back to. Played from a second before
// the end in blocks shorter than a tick (so shorter than a row), the first
// block that goes past the end by half a block stops in that row (one that
// ends at the end, give or take the rounding of the position, has not begun
// it yet). The next seek starts from the top.
FMUSIC_MODULE::Loop FMUSIC_MODULE::measureLoop() {
  constexpr std::size_t kBlock = 32;
  const double end = player_->get_duration_seconds();
  if (!(end > 0.0)) return {};
  const double past = end + 0.5 * kBlock / mixRate_;
  player_->set_position_seconds(std::max(0.0, end - 1.0));
  float block[kBlock * platform::sound::kChannels];
  const auto limit = static_cast<std::size_t>(3 * mixRate_ / kBlock);  // a second and the longest row there can be
  for (std::size_t read = 0; read < limit && player_->get_position_seconds() < past; ++read)
    if (player_->read_interleaved_stereo(mixRate_, kBlock, block) == 0) break;
  if (player_->get_position_seconds() < past) return {};
  const double restart = player_->set_position_order_row(player_->get_current_order(), player_->get_current_row());
  if (!(restart >= 0.0 && restart < end)) return {};
  const auto restartFrame = static_cast<std::uint64_t>(std::llround(restart * mixRate_));
  const auto endFrame = static_cast<std::uint64_t>(std::llround(end * mixRate_));
  return {restartFrame, endFrame - restartFrame};
}

bool FMUSIC_MODULE::mixInto(std::span<float> mix, std::vector<platform::sound::Notice>&) {
  block_.resize(mix.size());
  const std::size_t frames = player_->read_interleaved_stereo(mixRate_, mix.size() / platform::sound::kChannels, block_.data());
  const std::size_t samples = frames * platform::sound::kChannels;
  for (std::size_t i = 0; i < samples; ++i) mix[i] += block_[i] * gain_;
  return frames > 0;
}
