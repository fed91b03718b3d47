#pragma once
// skyward --dev, for the people who make shows: keys pause the show and move
// it (see dev_keys.h), F5 (and, with --watch, a change of a file under
// demo/ or of the show file played) reads again the data files and the show
// file that changed and builds the show again at its moment, and notes in a
// corner say where the show stands and how long a saved show file took to
// reach the screen. Headless, the keys come from --dev-keys. Without --dev
// none of this exists. Main thread.
//
// What the show unloads is kept aside while the mode lasts, so that a move
// back reads again only the files that changed on disk (memory stays about
// what a show that loads everything first holds at its start).
//
// With a fixed step every frame stays on the step's grid: a move lands on
// the first frame at or after its moment, so each frame is one a run from 0
// draws too. While paused the show time stands still and the music is held.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/folder_watch.h"
#include "platform/host.h"
#include "shell/dev_keys.h"
#include "shell/frame_rate.h"
#include "shell/show_clock.h"
#include "shell/show_options.h"
#include "shell/show_seek.h"
#include "shell/warning_watch.h"
#include "text/font_face.h"

namespace shell {

class DevMode {
 public:
  // The show stands where the preparation brought it: at options.start.
  DevMode(const ShowOptions& options, bool preloadChoice, ShowBuild build);
  ~DevMode();
  DevMode(const DevMode&) = delete;
  DevMode& operator=(const DevMode&) = delete;

  // The show time of the frame about to be drawn (while paused, the moment
  // the show stands at). The scripted keys due are posted as key messages
  // then: while playing, once the frame reaches the next key's time, that
  // key and those listed right after it with the same time (one frame's
  // keys); while paused, since the time stands still, the next key, one a
  // frame.
  float frameTime(ShowClock& clock);
  // A message of the frame's: its key, if any, is kept for applyKeys.
  void offer(const platform::Message& message);
  // Does what the kept keys ask, taken in order but acted on together: one
  // move to where they lead, a reading again, a pause or resume; then what
  // a watched change asks. Returns the frame's show time afterwards.
  float applyKeys(ShowClock& clock, float t);
  // The notes, over the frame already read for screenshots and capture.
  void drawNotes(float t);
  // Headless, paused, with no scripted key left: nothing could resume it.
  bool stuck() const { return headless_ && paused_ && script_.empty(); }

 private:
  float moveTo(ShowClock& clock, double target, float t);
  float readAgain(float t);
  std::string readShowFileAgain();
  void setPaused(ShowClock& clock, bool paused, float t);
  bool watchedChangeSettled();
  std::vector<std::string> notes(float t, std::uint32_t now);

  std::optional<int> fps_;
  bool headless_;
  bool preloadChoice_;
  ShowBuild build_;
  std::int64_t frame_ = 0;   // the next frame of a fixed step
  bool paused_ = false;
  float pausedAt_ = 0.0f;
  float shown_ = 0.0f;       // the last frame's time: where the timeline stands
  std::vector<int> keys_;
  std::deque<ScriptedKey> script_;
  WarningWatch warnings_;
  std::unique_ptr<text::FontFace> font_;  // null without the font: no notes
  FrameRate rate_;
  std::uint32_t lastWall_;
  float frameMilliseconds_ = 0.0f;
  std::unique_ptr<platform::FolderWatch> watch_;
  std::optional<std::uint32_t> changedAt_;  // wall time of the last change seen, until read
  // With --watch, the folder of a show file played from outside demo/: a
  // save is read at once (a file is seen once written and closed).
  std::unique_ptr<platform::FolderWatch> showWatch_;
  std::optional<std::filesystem::file_time_type> savedAt_;  // a show file saved, until its new frame
  std::string lastAction_;
};

}  // namespace shell
