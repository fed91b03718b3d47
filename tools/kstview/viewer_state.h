#pragma once
// What kstview shows and how the keys change it: which camera, the scene
// time, paused or playing. Knows nothing of windows or GL.
#include <cstddef>
#include <string>

namespace kstview {

struct ViewerState {
  static constexpr float kFrameStep = 1.0f / 30.0f;  // Left / Right
  static constexpr float kLongStep = 1.0f;           // Down / Up

  // Number keys pick a camera the scene has (key 0 the first); space pauses and resumes; the
  // arrows step the time (never below 0); Escape quits.
  void press(int key);
  // Wall-clock seconds since the last frame move the time unless paused.
  void advance(float seconds);
  // "kstview FILE - camera 1 [0-2] - t 1.23 s - 59.9 fps [paused]".
  std::string title(const std::string& file, float framesPerSecond) const;

  std::size_t camera = 0;
  std::size_t cameraCount = 0;
  float time = 0.0f;
  bool paused = false;
  bool quit = false;
};

}  // namespace kstview
