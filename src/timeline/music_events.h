#pragma once
// Late in the show a module tune replaces the music stream.
#include <string>

#include "timeline/file_event.h"

// Closes the music stream (it stops at once) and starts the module `file`
// with the usual module-start rule as the current module. A module that does
// not load leaves the rest of the show silent. A capture hears the change
// at the event's own time, not at the frame that fires it. The show clock is not touched:
// it keeps counting from the stream's start.
class EvtStartMusic : public kst::FileEvent {
 public:
  EvtStartMusic(float time, std::string file) : kst::FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};
