#pragma once
// The data folder in the working directory as a show file's reader asks
// about it: a file is there when it can be opened; a scene's cameras are
// counted by reading the scene (without GL, the scenes on threads of their
// own), once for each version of its file. Main thread.
#include "shell/showfile/show_reader.h"

namespace shell::showfile {

// Null when there is no demo/ folder here: names are then checked for
// their form only. Without `cameras`, no scene is read and cameras are not
// checked.
const DataFolder* workingDataFolder(bool cameras);

}  // namespace shell::showfile
