#include "shell/showfile/show_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "base/log.h"
#include "shell/script/sections.h"
#include "shell/show_script.h"
#include "shell/showfile/built_show.h"
#include "shell/showfile/data_folder.h"
#include "shell/showfile/show_reader.h"
#include "shell/showfile/show_writer.h"

namespace shell::showfile {

namespace {

// The file as it was before it was read: a save while it is read is a
// change still to come.
std::optional<ShowReading> readAndPlay(const std::string& path, const DataFolder* data, kst::SourceStamp& stamp) {
  stamp = kst::SourceStamp::of(path);
  ShowReading reading = readShowFile(path, data);
  if (reading.show) {
    playShowFile(std::make_shared<const PlayedShowFile>(
        PlayedShowFile{path, std::make_shared<const Show>(std::move(*reading.show)), stamp}));
    return std::nullopt;
  }
  return reading;
}

}  // namespace

bool useShowFile(const std::string& path, bool cameras) {
  kst::SourceStamp stamp;
  const std::optional<ShowReading> failed = readAndPlay(path, workingDataFolder(cameras), stamp);
  if (failed) std::fputs(errorReport(path, *failed).c_str(), stderr);
  return !failed;
}

bool playedShowChanged() {
  const std::shared_ptr<const PlayedShowFile> played = playedShowFile();
  return played != nullptr && played->stamp.changed();
}

ShowFileReadAgain readPlayedShowAgain() {
  if (!playedShowChanged()) return {};
  const std::shared_ptr<const PlayedShowFile> played = playedShowFile();
  kst::SourceStamp stamp;
  const std::optional<ShowReading> failed = readAndPlay(played->path, workingDataFolder(true), stamp);
  if (failed) {
    // Read again only once it changes again.
    playShowFile(std::make_shared<const PlayedShowFile>(PlayedShowFile{played->path, played->show, stamp}));
    std::istringstream report(errorReport(played->path, *failed));
    for (std::string line; std::getline(report, line);)
      kst::log("** Warning: show file not read again: %s; the show stays as it was", line.c_str());
  }
  return {true, failed ? failed->errorCount : 0, stamp.written};
}

int writeShowFile(const std::string& path) {
  std::string text;
  try {
    if (const std::shared_ptr<const PlayedShowFile> played = playedShowFile())
      text = showText(*played->show);
    else
      text = showText(takeDownShow([] { buildBuiltInShow(false); }, script::kSectionNames));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skyward: cannot write %s: %s\n", path.c_str(), error.what());
    return 2;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out << text;
  if (out) out.close();
  if (!out) {
    std::fprintf(stderr, "skyward: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    return 2;
  }
  return 0;
}

}  // namespace shell::showfile
