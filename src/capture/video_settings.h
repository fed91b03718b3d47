#pragma once
#include <string>

namespace capture {

// What a capture file holds: H.264 pictures in yuv420p at a constant rate
// factor (lower is better; 18 is close to transparent) and AAC sound in
// stereo.
struct VideoSettings {
  int width = 800;
  int height = 600;
  int fps = 60;
  int crf = 18;
  int sampleRate = 44100;
  // Named, so that a build of FFmpeg without it is reported by that name.
  std::string videoEncoder = "libx264";
  // x264's speed against size at the same quality: a capture should keep
  // up with the software renderer on two cores.
  std::string preset = "veryfast";
};

}  // namespace capture
