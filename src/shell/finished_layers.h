#pragma once
// For a show that starts later than its beginning: what the layers that
// ended before the start left behind. A value or zoom layer's last value
// stays in its target after the layer has gone; a late start never draws
// those layers, so each is settled at the local time of the last frame a
// show played from 0 would have drawn it in. Main thread, after the
// timeline has been brought to the start and the loads begun have ended.
#include <optional>

#include "shell/show_clock.h"

namespace shell {

// The show time of the last frame, of a run from 0 at `fps` frames a second
// (any moment without a fixed step), that draws a layer activated at
// `activation` for `duration` seconds: the last before its local time
// reaches the duration. None when no frame falls in between.
std::optional<float> lastDrawnTime(std::optional<int> fps, float activation, float duration);

// Settles every listed layer that has ended by the clock's first frame, in
// the order of their last drawn times (writes made later win, as they
// would have).
void settleFinishedLayers(const ShowClock& clock);

}  // namespace shell
