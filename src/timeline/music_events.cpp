#include "timeline/music_events.h"

#include "platform/fmod.h"
#include "shell/music.h"

void EvtStartMusic::fire(float) {
  shell::MusicState& state = shell::music();
  FSOUND_Stream_Close(state.stream);
  state.stream = nullptr;  // released by the close; never touched again
  state.channel = -1;
  shell::startModule(file().c_str());
}
