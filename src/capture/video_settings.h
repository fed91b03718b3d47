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
  // The pictures handed in: four bytes a pixel, blue first (BGRA) or red
  // first (RGBA).
  bool blueFirst = false;
  // Without sound the file holds the pictures alone (a part of a capture
  // cut into parts: the sound is laid under the joined parts once).
  bool withSound = true;
  // What the file says of itself, kept as its comment; none when empty.
  std::string comment;
  // Named, so that a build of FFmpeg without it is reported by that name.
  std::string videoEncoder = "libx264";
  // x264's speed against size: on two cores shared with the software
  // renderer, the fastest keeps a capture near the renderer's own pace;
  // the rate factor still holds the quality (the file is larger).
  std::string preset = "ultrafast";
};

}  // namespace capture
