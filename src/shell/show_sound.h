#pragma once
// The show's sound alone, mixed offline sample for sample as a capture of
// the same stretch mixes it while it draws (see ShowCapture), with nothing
// drawn: the sound of a capture cut into parts, mixed once for all of them.
// The sound follows the music stream, which starts with the show, and the
// timeline's music events; the show is built without reading its data (as
// --list-events builds it) for those events, and nothing else of it runs.
//
// The stream and the tunes are read from demo/ in the working directory; a
// file that cannot be played is reported as in a show, and silence is
// mixed in its place. Main thread, one at a time, with no show playing.
#include <cstdint>
#include <vector>

#include "shell/show_clock.h"

class EvtStartMusic;

namespace shell {

class ShowSound {
 public:
  // The sound from the clock's start (a fixed step); music events before it
  // have happened, unheard, as in a late start.
  explicit ShowSound(const ShowClock& clock);
  // The built show goes and the sound library closes.
  ~ShowSound();
  ShowSound(const ShowSound&) = delete;
  ShowSound& operator=(const ShowSound&) = delete;

  // Interleaved stereo from where the last call left off up to the end of
  // `frames` frames from the start, with every music event of those frames
  // heard from its own time.
  std::vector<float> mixFrames(std::uint64_t frames);

 private:
  void fireChangesUpTo(float t);

  ShowClock clock_;
  std::vector<EvtStartMusic*> changes_;  // owned by the timeline, in firing order
  std::size_t fired_ = 0;
};

}  // namespace shell
