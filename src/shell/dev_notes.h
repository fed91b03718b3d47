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
  // A reading again begins; once done, the files it read, each warning it
  // logged shown whole under them (a file that did not read keeps its
  // earlier version), and the last warning from before forgotten: a file
  // mended leaves no warning behind.
  void readingStarts();
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
  std::size_t warningsBefore_ = 0;            // when the reading began
  std::vector<std::string> readingWarnings_;  // of the last reading again
};

// A note's line cut at blanks into lines of at most `width` characters
// (a word longer than that on a line of its own), those after the first
// indented by two blanks, so that none runs past the window's edge.
std::vector<std::string> wrapNote(const std::string& line, std::size_t width = 100);

}  // namespace shell
