#include "platform/sound_mixer.h"

#include <algorithm>

namespace platform::sound {

void Notice::deliver() const {
  if (callback == nullptr) return;
  if (text) {
    std::string name = *text;
    callback(stream, name.data(), static_cast<int>(name.size()), userValue);
  } else {
    callback(stream, nullptr, 0, userValue);
  }
}

void Mixer::start(Source* source) {
  if (!isPlaying(source)) playing_.push_back(source);
}

void Mixer::stop(Source* source) { std::erase(playing_, source); }

bool Mixer::isPlaying(const Source* source) const {
  return std::find(playing_.begin(), playing_.end(), source) != playing_.end();
}

void Mixer::render(std::span<float> out) {
  std::vector<Notice> notices;
  {
    auto guard = lock();
    std::fill(out.begin(), out.end(), 0.0f);
    if (held_) return;
    std::erase_if(playing_, [&](Source* source) { return !source->mixInto(out, notices); });
  }
  for (const Notice& notice : notices) notice.deliver();
}

}  // namespace platform::sound
