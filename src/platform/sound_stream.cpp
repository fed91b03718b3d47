#include "platform/sound_stream.h"

#include <algorithm>

using platform::sound::kChannels;
using platform::sound::Notice;

FSOUND_STREAM::FSOUND_STREAM(const std::string& path, int mixRate) : decoder_(path, mixRate) {}

void FSOUND_STREAM::addSynchPoint(SynchPoint point) {
  const auto at = std::upper_bound(synchPoints_.begin() + static_cast<std::ptrdiff_t>(nextSynch_), synchPoints_.end(),
                                   point.frame, [](std::uint64_t frame, const SynchPoint& p) { return frame < p.frame; });
  synchPoints_.insert(at, std::move(point));
}

void FSOUND_STREAM::seek(std::uint64_t frame) {
  decoder_.restartAt(frame);
  played_ = frame;
  const auto next = std::lower_bound(synchPoints_.begin(), synchPoints_.end(), frame,
                                     [](const SynchPoint& p, std::uint64_t f) { return p.frame < f; });
  nextSynch_ = static_cast<std::size_t>(next - synchPoints_.begin());
}

bool FSOUND_STREAM::mixInto(std::span<float> mix, std::vector<Notice>& notices) {
  block_.resize(mix.size());
  const std::size_t samples = decoder_.take(block_);
  addPanned(mix, samples);
  played_ += samples / kChannels;
  reportSynchPoints(played_, notices);
  if (!decoder_.exhausted()) return true;  // a short read before the end is an underrun: silence, not the end
  notices.push_back(Notice{end_.function, this, std::nullopt, end_.userValue});
  return false;
}

void FSOUND_STREAM::reportSynchPoints(std::uint64_t upTo, std::vector<Notice>& notices) {
  for (; nextSynch_ < synchPoints_.size() && synchPoints_[nextSynch_].frame < upTo; ++nextSynch_) {
    notices.push_back(Notice{synch_.function, this, synchPoints_[nextSynch_].name, synch_.userValue});
  }
}

// The stereo pan keeps the recording's own stereo; a number pans it from
// left (0) to right (255).
void FSOUND_STREAM::addPanned(std::span<float> mix, std::size_t samples) const {
  float left = 1.0f;
  float right = 1.0f;
  if (pan_ != FSOUND_STEREOPAN) {
    const float towardsRight = static_cast<float>(std::clamp(pan_, 0, 255)) / 255.0f;
    left = std::min(1.0f, 2.0f * (1.0f - towardsRight));
    right = std::min(1.0f, 2.0f * towardsRight);
  }
  for (std::size_t i = 0; i + 1 < samples; i += kChannels) {
    mix[i] += block_[i] * left;
    mix[i + 1] += block_[i + 1] * right;
  }
}
