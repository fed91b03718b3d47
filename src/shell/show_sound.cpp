#include "shell/show_sound.h"

#include "music/music.h"
#include "platform/sound_seam.h"
#include "shell/show_preparation.h"
#include "shell/show_script.h"
#include "timeline/music_events.h"
#include "timeline/timeline.h"

namespace shell {

// As a capture's preparation does it: the stream starts, and a late start
// brings the music to its moment unheard.
ShowSound::ShowSound(const ShowClock& clock) : clock_(clock) {
  platform::sound::renderOffline(true, clock_.showStart());
  music::startSoundSystem();
  buildShowUnread(true);
  kst::theTimeLine().forEachPending([this](kst::TimeLineEvent& event) {
    if (auto* change = dynamic_cast<EvtStartMusic*>(&event)) changes_.push_back(change);
  });
  const bool late = clock_.showStart() > 0.0;
  music::holdSound(late);
  music::startStream(kShowStream);
  if (late) {
    fireChangesUpTo(clock_.startTime());
    music::jumpTo(clock_.showStart());
  }
  music::holdSound(false);
}

ShowSound::~ShowSound() {
  music::stopMusic();
  platform::sound::renderOffline(false);
  releaseShow();
}

// As the frame loop's timeline update fires them: every change due at or
// before t, each mixing up to its own time first.
void ShowSound::fireChangesUpTo(float t) {
  for (; fired_ < changes_.size() && changes_[fired_]->time <= t; ++fired_) changes_[fired_]->fire(t);
}

// A capture fires the frame's events before it mixes up to the frame, and
// its last mix ends at the end of its last frame, where the frame after
// it, never written, has fired its own events.
std::vector<float> ShowSound::mixFrames(std::uint64_t frames) {
  fireChangesUpTo(clock_.frameTime(frames));
  platform::sound::mixUntil(clock_.showStart() + static_cast<double>(frames) / *clock_.fps());
  return platform::sound::takeMixed();
}

}  // namespace shell
