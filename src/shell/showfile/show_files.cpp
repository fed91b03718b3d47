#include "shell/showfile/show_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <memory>

#include "shell/script/sections.h"
#include "shell/show_script.h"
#include "shell/showfile/built_show.h"
#include "shell/showfile/data_folder.h"
#include "shell/showfile/show_reader.h"
#include "shell/showfile/show_writer.h"

namespace shell::showfile {

bool useShowFile(const std::string& path, bool cameras) {
  ShowReading reading = readShowFile(path, workingDataFolder(cameras));
  if (!reading.show) {
    std::fputs(errorReport(path, reading).c_str(), stderr);
    return false;
  }
  playShowFile(std::make_shared<const PlayedShowFile>(
      PlayedShowFile{path, std::make_shared<const Show>(std::move(*reading.show))}));
  return true;
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
