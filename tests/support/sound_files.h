#pragma once
// Sound files for tests, written into a temporary folder: a small XM module
// with synthesised samples, and a short MP3 (encoded by libmp3lame).
#include <filesystem>
#include <string>

namespace fake {

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Three patterns of 16 rows over two channels, a looped square and a looped
// saw wave: every row sounds. Six ticks a row at 125 beats a minute (882
// frames a tick at 44100 Hz). After its last pattern the tune goes back to
// the pattern at `restart` in its order.
void writeSmallXm(const std::filesystem::path& file, int restart = 0);

// A four-channel ProTracker module ("M.K."): one looped square wave held on
// the first channel, which the Amiga plays on the left.
void writeSmallMod(const std::filesystem::path& file);

// `seconds` of a 440 Hz tone (660 Hz on the right when in stereo).
void writeShortMp3(const std::filesystem::path& file, double seconds, int rate = 44100, int channels = 2);

}  // namespace fake
