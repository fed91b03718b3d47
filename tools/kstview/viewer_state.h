#pragma once
// What kstview shows and how the keys change it: which camera (one of the
// scene's or the orbit camera), the scene time, paused or playing, and the
// drawing switches. Knows nothing of windows or GL.
#include <cstddef>
#include <string>

namespace kstview {

struct ViewerState {
  static constexpr float kFrameStep = 1.0f / 30.0f;  // Left / Right
  static constexpr float kLongStep = 1.0f;           // Down / Up

  // Number keys pick a camera the scene has (key 0 the first); C goes on to
  // the next camera, the orbit camera coming after the scene's last; space
  // pauses and resumes; the arrows step the time (never below 0); W, B and
  // F switch wireframe, the nodes' boxes and fog; R asks for the file to be
  // read again; Escape quits.
  void press(int key);
  // Wall-clock seconds since the last frame move the time unless paused.
  void advance(float seconds);
  // The orbit camera is the camera after the scene's own.
  bool orbiting() const { return camera == cameraCount; }
  void useOrbit() { camera = cameraCount; }
  // A scene read again may have fewer cameras: a camera it lacks gives way
  // to the orbit camera.
  void setCameraCount(std::size_t count);
  // "kstview FILE - camera 1 [0-2] - t 1.23 s - 59.9 fps [paused]".
  std::string title(const std::string& file, float framesPerSecond) const;

  std::size_t camera = 0;
  std::size_t cameraCount = 0;
  float time = 0.0f;
  bool paused = false;
  bool quit = false;
  bool wireframe = false;
  bool boxes = false;
  bool fog = true;  // the scene's own fog, where it has some
  bool reloadWanted = false;
};

}  // namespace kstview
