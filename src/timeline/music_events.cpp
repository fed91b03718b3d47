#include "timeline/music_events.h"

#include "platform/fmod.h"
#include "music/music.h"

void EvtStartMusic::fire(float) {
  music::soundChangesAt(time);
  music::MusicState& state = music::state();
  FSOUND_Stream_Close(state.stream);
  state.stream = nullptr;  // released by the close; never touched again
  state.channel = -1;
  music::startModule(file().c_str());
  state.tuneStart = time;
}
