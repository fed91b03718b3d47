#pragma once
// The development mode's notes in the top-left corner: the show time and its
// section, frames a second and the last frame's milliseconds, paused or
// playing, what the last move or reading again did (and how long a saved
// show file took to reach the screen), and the last warning of the log. Drawn over a frame that screenshots and the capture have already
// read. Without the DejaVu Sans Mono font there are no notes (said once, on
// standard error and in the log) and the mode works on. Main thread.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/frame_rate.h"
#include "shell/warning_watch.h"
#include "text/font_face.h"

namespace shell {

class DevNotes {
 public:
  DevNotes();

  // What a move or a reading again did, shown until the next one and
  // written to the log.
  void moved(float t, double milliseconds);
  void readAgain(float t, double milliseconds, const std::vector<std::string>& files);
  // The first frame of a saved show file is drawn, that long after the save.
  void savedShowShown(double milliseconds);

  // The notes of the frame at `t`, drawn over it.
  void draw(float t, bool paused);

 private:
  void tell(std::string action);
  std::vector<std::string> lines(float t, bool paused, std::uint32_t now);

  WarningWatch warnings_;
  std::unique_ptr<text::FontFace> font_;  // null without the font: no notes
  FrameRate rate_;
  std::uint32_t lastWall_;
  float frameMilliseconds_ = 0.0f;
  std::string lastAction_;
};

}  // namespace shell
