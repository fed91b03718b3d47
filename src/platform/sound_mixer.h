#pragma once
// Software mixing of every playing source into one interleaved stereo float
// buffer. The audio device pulls from it on its own thread; the calls of the
// program change sources only while holding the mixer's lock.
#include <mutex>
#include <span>
#include <vector>

#include "platform/sound_source.h"

namespace platform::sound {

class Mixer {
 public:
  [[nodiscard]] std::unique_lock<std::mutex> lock() { return std::unique_lock(mutex_); }

  // With the lock held.
  void start(Source* source);
  void stop(Source* source);
  bool isPlaying(const Source* source) const;
  void stopAll() { playing_.clear(); }
  // While held, the mix is silence and no source moves on.
  void hold(bool held) { held_ = held; }

  // Takes the lock itself; delivers the notices after releasing it.
  void render(std::span<float> out);

 private:
  std::mutex mutex_;
  std::vector<Source*> playing_;
  bool held_ = false;
};

}  // namespace platform::sound
