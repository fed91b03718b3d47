#pragma once
// skyward --dev, for the people who make shows: keys pause the show and move
// it (see dev_keys.h), F5 (and, with --watch, a change of a file under
// demo/ or a save of the show file played) reads again the data files and
// the show file that changed and builds the show again at its moment, and
// notes in a corner say where the show stands and how long a saved show file
// took to reach the screen (dev_notes.h).
// Headless, the keys come from --dev-keys. Without --dev none of this
// exists. Main thread.
//
// The mode keeps the keys and the moves; the time is the show clock's, which
// it moves and pauses. What the show unloads is kept aside while the mode
// lasts, so that a move back reads again only the files that changed on
// disk (memory stays about what a show that loads everything first holds at
// its start).
//
// With a fixed step every frame stays on the step's grid: a move lands on
// the first frame at or after its moment, so each frame is one a run from 0
// draws too. While paused the show time stands still and the music is held.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"
#include "shell/data_watch.h"
#include "shell/dev_keys.h"
#include "shell/dev_notes.h"
#include "shell/show_clock.h"
#include "shell/show_options.h"
#include "shell/show_seek.h"

namespace shell {

class DevMode {
 public:
  // The show stands where the preparation brought `clock`: at options.start
  // (with a fixed step, the first frame of the grid at or after it). The
  // clock outlives the mode.
  DevMode(const ShowOptions& options, ShowClock& clock, bool preloadChoice, ShowBuild build);
  ~DevMode();
  DevMode(const DevMode&) = delete;
  DevMode& operator=(const DevMode&) = delete;

  // The frame at `t` begins: the scripted keys due are posted as key
  // messages. While playing, once the frame reaches the next key's time,
  // that key and those listed right after it with the same time (one
  // frame's keys); while paused, since the time stands still, the next key,
  // one a frame.
  void pressScriptedKeys(float t);
  // A message of the frame's: its key, if any, is kept for applyKeys.
  void offer(const platform::Message& message);
  // Does what the kept keys ask, taken in order but acted on together: one
  // move to where they lead, a reading again, a pause or resume; then what
  // a watched change asks. Returns the frame's show time afterwards.
  float applyKeys(float t);
  // The notes, over the frame already read for screenshots and capture.
  void drawNotes(float t);
  // Headless, paused, with no scripted key left: nothing could resume it.
  bool stuck() const { return headless_ && clock_.paused() && script_.empty(); }

 private:
  float moveTo(double target);
  void readAgain(float t);
  std::string readShowFileAgain();
  void setPaused(bool paused);

  ShowClock& clock_;
  bool headless_;
  bool preloadChoice_;
  ShowBuild build_;
  float shown_;  // the last frame's time: where the timeline stands
  std::vector<int> keys_;
  std::deque<ScriptedKey> script_;
  DevNotes notes_;
  std::optional<DataWatch> watch_;  // with --watch
  // With --watch, the folder of a show file played from outside demo/: a
  // save is read at once (a file is seen once written and closed).
  std::optional<DataWatch> showWatch_;
  std::optional<std::filesystem::file_time_type> savedAt_;  // a show file read, until its first frame
};

}  // namespace shell
