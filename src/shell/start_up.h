#pragma once
#include <functional>

#include "shell/show_clock.h"
#include "shell/show_options.h"
#include "shell/show_seek.h"

namespace shell {

struct PartOfCapture;

// What runs between the device and the first frame; it takes the show start
// time on the clock. The program's is prepareShow.
using ShowPreparation = std::function<void(bool preloadChoice, ShowClock& clock)>;

// The program: question, window, device, the show's data folder, show
// preparation, frame loop. Returns 0 when the user cancels (and after
// listing the events), -1 when the window, display mode, GL device, a
// required extension or the show's data folder cannot be had or a capture
// fails (after the display is restored, with the file and the reason on
// standard error), 2 when the frame asked for is larger than the driver
// draws, 1 after a normal end.
// `build` is what the development mode builds the show again with; `part`
// makes the capture one part of several (pictures only), told of a failure.
int WinMain(const ShowOptions& options);
int WinMain(const ShowOptions& options, const ShowPreparation& prepare, const ShowBuild& build = buildShowAgain,
            const PartOfCapture* part = nullptr);

// The start-up choice handed to the show preparation: true when scenes are
// loaded in the background during the show.
bool preloadChoice();

// Whether the show's data folder (demo/) is in the working directory: the
// data is made apart from the program, and without it there is no show.
bool dataFolderFound();

}  // namespace shell
