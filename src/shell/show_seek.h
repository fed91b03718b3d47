#pragma once
// Moving a show that plays to another moment, for the development mode. The
// show then stands where a late start to that moment would put it: every
// event up to the moment applied in order, the loads finished, the music at
// that moment. A moment at or after the last one drawn needs no more than
// the late start's catch-up (catchUpTo, show_preparation.h): the events in
// between fire; an earlier one builds the show again. Main thread, with the
// device's context current; the caller holds the sound meanwhile.
#include <functional>
#include <string>
#include <vector>

#include "shell/show_clock.h"

namespace shell {

// What builds the show from its script: buildShow, unless a test adds to it.
using ShowBuild = std::function<void(bool preloadChoice)>;
void buildShowAgain(bool preloadChoice);

// Any moment, earlier ones too: the layers and events go and the show is
// built again; what the stocks hold is taken back rather than read again,
// unless its files changed on disk since they were read (a file that then
// fails to read leaves its earlier version in use, with a warning). What the
// rebuilt show does not hold at that moment goes (or, while unloaded
// objects are kept, stays aside). The music starts over from
// the stream, then moves to the moment.
void rebuildShowAt(const ShowClock& moment, bool preloadChoice, const ShowBuild& build);

// The show built again where it stands (F5): rebuildShowAt, which reads
// again what changed on disk. Returns the data files that had changed.
std::vector<std::string> readAgainAt(const ShowClock& moment, bool preloadChoice, const ShowBuild& build);

// While on, what the show unloads is kept aside for a later load (a move
// back takes it back instead of reading its files again); off, it goes.
void keepUnloadedObjects(bool keep);

}  // namespace shell
