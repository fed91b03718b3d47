#pragma once
#include <optional>
#include <string>
#include <vector>

#include "render/frame_layout.h"
#include "shell/dev_keys.h"

namespace shell {

// One of `count` parts a capture is cut into, numbered from 1.
struct CapturePart {
  int index = 1;
  int count = 1;
};

struct Screenshot {
  float seconds = 0.0f;
  std::string file;
};

// What is drawn: the window (or the full-screen mode), the headless
// surface, the screenshots and the capture. The show's 4:3 picture sits in
// it as large as fits. `desktop`: full screen at the desktop's own size,
// without a change of display mode.
struct FrameSize {
  int width = kst::kLayoutWidth;
  int height = kst::kLayoutHeight;
  bool desktop = false;
};

// What a person or a test asked for on the command line. Left at their
// defaults, the program behaves as the show always has.
struct ShowOptions {
  std::optional<bool> preloadEverything;  // the start-up question answered in advance
  bool windowed = false;   // a window the user may resize
  bool headless = false;
  FrameSize size;
  int samples = 0;         // a multisampled frame with this many samples per pixel; 0 plain
  double start = 0.0;          // the show begins at this moment, as if it had played up to it
  std::optional<float> until;  // end normally once the show time reaches it
  std::optional<int> fps;      // fixed-step clock: frame k is shown at k / fps
  std::vector<Screenshot> screenshots;
  std::optional<std::string> capture;  // a video file (.mp4 or .mkv) of every frame and the sound
  int crf = 18;                        // the capture's picture quality: lower is better
  // A capture cut into parts for several processes or machines: each part's
  // pictures alone (part), the parts still to be captured (missingParts),
  // their progress read from the job runner (followParts), and the parts
  // joined under the show's sound (joinParts, the number of parts).
  std::optional<CapturePart> part;
  std::optional<int> missingParts;
  std::optional<int> followParts;
  std::optional<int> joinParts;
  std::optional<std::string> frameTimes;  // a file for each frame's wall time, written at the end
  bool listEvents = false;  // build the show, print its timeline, play nothing
  bool dev = false;         // the development mode: keys that pause and move the show, notes on screen
  bool watch = false;       // with dev: a change under demo/ reads the changed files again
  std::vector<ScriptedKey> devKeys;  // with dev: keys pressed at show times (headless)
};

inline constexpr int kCaptureFps = 60;
inline constexpr float kCaptureEnd = 245.0f;  // the show's last moment worth keeping

// A capture plays at a fixed step and ends by itself: unless told
// otherwise, 60 frames per second up to the show's end.
inline void settleCaptureDefaults(ShowOptions& options) {
  if (!options.capture) return;
  if (!options.fps) options.fps = kCaptureFps;
  if (!options.until) options.until = kCaptureEnd;
}

}  // namespace shell
