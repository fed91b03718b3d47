#pragma once
// What the software mixer plays: modules and streams add themselves into the
// mix buffer. Notices (a stream's synch points and end) are collected while
// the mixer holds its lock and delivered after it lets go, so a callback can
// never block the mixer.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/fmod.h"

namespace platform::sound {

inline constexpr int kChannels = 2;  // the device and every source are stereo

// A failed sound call: the code FSOUND_GetError reports afterwards.
struct Failure {
  int code;
};

struct Notice {
  FSOUND_STREAMCALLBACK callback = nullptr;
  FSOUND_STREAM* stream = nullptr;
  std::optional<std::string> text;  // a synch point's name; none for the end
  int userValue = 0;

  void deliver() const;
};

class Source {
 public:
  virtual ~Source() = default;
  // Adds up to mix.size() / 2 stereo frames. False once the source has
  // nothing more to play; the mixer then drops it.
  virtual bool mixInto(std::span<float> mix, std::vector<Notice>& notices) = 0;
};

}  // namespace platform::sound
