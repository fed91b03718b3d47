#pragma once
// Runs the whole program over the real platform and the software driver, as
// `skyward --headless --preload --fps 30 --until UNTIL --screenshot ...`.
// The program reads the show's data from demo/ in the working directory;
// `prepare` stands for the show's own preparation.
#include <vector>

#include "shell/show_options.h"
#include "shell/show_preparation.h"
#include "shell/start_up.h"

namespace fake {

// The program's exit code.
int runHeadlessShow(float until, const std::vector<shell::Screenshot>& screenshots,
                    const shell::ShowPreparation& prepare = shell::prepareShow);

// The same with options of the caller's (headless is set here); `build` is
// what the development mode builds the show again with.
int runHeadlessShow(shell::ShowOptions options, const shell::ShowPreparation& prepare = shell::prepareShow,
                    const shell::ShowBuild& build = shell::buildShowAgain);

// The same for one part of a capture cut into parts (options.part set).
int runHeadlessPart(shell::ShowOptions options, const shell::ShowPreparation& prepare = shell::prepareShow);

}  // namespace fake
