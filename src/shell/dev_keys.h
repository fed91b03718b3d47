#pragma once
// The development mode's keys: what each does to where the show stands.
// Knows nothing of windows, clocks or GL.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct DevState {
  double time = 0.0;     // show seconds
  bool paused = false;
  bool reload = false;   // read again the data files that changed, at `time`
  double frame = 1.0 / 60.0;  // one frame of the show, in seconds
  bool operator==(const DevState&) const = default;
};

// Space pauses or resumes; Left and Right move 1 s back or on, with Shift
// (platform::kShifted added) 0.1 s, a row of the music; Page Up and Page
// Down 10 s back or on; while paused, comma and period one frame back or
// on; Home goes to 0 and the keys 1 to 8 to the start of that section; F5
// asks for the changed data files. Never before 0. A move keeps the show
// paused or playing. Other keys change nothing.
DevState pressDevKey(int key, DevState state);

// A key pressed during a frame joins that frame's `keys`, unless it is a
// held key's repeat of one already there: the repeats that pile up while a
// move is under way make one move together, not one each.
void keepPressedKey(std::vector<int>& keys, int key, bool repeat);

// A key of --dev-keys: Space, Left, Right, PageUp, PageDown, Home, F5, Escape
// or a digit, in any case; 0 for any other name.
int devKeyNamed(std::string_view name);

struct ScriptedKey {
  float time = 0.0f;  // pressed at the first frame whose show time reaches it
  int key = 0;
};

// "TIME:KEY,TIME:KEY,...", times in show seconds (zero or more). Empty with
// the reason in `error` when the text is not of that form.
std::vector<ScriptedKey> readScriptedKeys(const std::string& text, std::string& error);

}  // namespace shell
