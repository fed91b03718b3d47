#pragma once
// skyward --show FILE and --write-show FILE: the program's side of show
// files. Before any window, on the main thread.
#include <filesystem>
#include <string>

namespace shell::showfile {

// Reads the show file to play it instead of the built-in show (its files
// checked against demo/ when there is one, and with `cameras` the cameras of
// its scenes, which are read for that). False when it does not read, after
// every error is printed on standard error ("FILE:LINE:COLUMN: what was
// expected").
bool useShowFile(const std::string& path, bool cameras);

// For the development mode: the show file played, read again when it has
// changed on disk since it was last read. When it reads, the show is built
// from it from then on; when it does not, the show stays as it was, each
// error is a warning in the log, and the next change that reads is taken.
struct ShowFileReadAgain {
  bool changed = false;  // it was read again
  std::size_t errors = 0;  // it did not read: the show stays as it was
  std::filesystem::file_time_type saved{};  // when it was written
};
ShowFileReadAgain readPlayedShowAgain();
// Whether the show file played is not as it was last read.
bool playedShowChanged();

// Writes the show that would be played (the built-in one, or the show
// file's) as a show file. 0, or 2 after saying on standard error why it
// could not.
int writeShowFile(const std::string& path);

}  // namespace shell::showfile
