#pragma once
// skyward --show FILE and --write-show FILE: the program's side of show
// files. Before any window, on the main thread.
#include <string>

namespace shell::showfile {

// Reads the show file to play it instead of the built-in show (its files
// checked against demo/ when there is one, and with `cameras` the cameras of
// its scenes, which are read for that). False when it does not read, after
// every error is printed on standard error ("FILE:LINE:COLUMN: what was
// expected").
bool useShowFile(const std::string& path, bool cameras);

// Writes the show that would be played (the built-in one, or the show
// file's) as a show file. 0, or 2 after saying on standard error why it
// could not.
int writeShowFile(const std::string& path);

}  // namespace shell::showfile
