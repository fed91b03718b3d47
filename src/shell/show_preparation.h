#pragma once
#include "shell/show_clock.h"

namespace shell {

// The music stream the show starts with; the show's clock counts from it.
inline constexpr const char* kShowStream = "demo\\Skyward.mp3";

// Between the device and the first frame, on the main thread, with no
// window message handled: the loading picture drawn once and presented
// (it stays on screen until the first frame), the sound library and the
// loading tune, the show build, one second of fading the tune out, the
// timeline rewound to the show's first event, the music stream, and the
// show start time taken on `clock`. When the clock starts later than the
// show's beginning, the show is first brought to that moment: the events
// before it applied in order, the loads begun finished, the layers already
// over leaving what they wrote last, the music moved there, nothing heard
// meanwhile. Sound failures are printed and the show
// goes on silent; a missing loading picture is logged and nothing is shown.
void prepareShow(bool preloadChoice, ShowClock& clock);

// What a late start does once the show is built, its timeline rewound (or
// where an earlier catch-up left it) and the music stream open: brings the
// show to the clock's start as described above. A move of the development
// mode does the same. Nothing is held: the caller holds the sound meanwhile.
void catchUpTo(const ShowClock& clock);

}  // namespace shell
