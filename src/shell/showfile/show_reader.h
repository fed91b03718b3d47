#pragma once
// Reading a show file (TOML, written by people): the show, or every error
// found, each at its line and column with what was expected there. Reading
// never throws for what the file holds, whatever its bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/showfile/show_model.h"

namespace shell::showfile {

struct ShowError {
  std::uint32_t line = 0;  // from 1; 0: the file as a whole
  std::uint32_t column = 0;
  std::string text;
};

struct ShowReading {
  std::optional<Show> show;        // only when there is no error
  std::vector<ShowError> errors;   // in the order found, at most kKeptErrors
  std::size_t errorCount = 0;      // all of them
};

// Past this many errors the rest are counted, not kept.
inline constexpr std::size_t kKeptErrors = 20;

// What the reader may ask of the data folder. Without it, names of files
// are checked for their form only.
struct DataFolder {
  std::function<bool(const std::string& file)> exists;  // file as the stocks name it
  // The cameras of the scenes in `files`, by file; none for a scene that
  // cannot be read. Unset: cameras are not checked.
  std::function<std::map<std::string, std::optional<int>>(const std::vector<std::string>& files)> cameraCounts;
};

ShowReading readShow(std::string_view text, const std::string& fileName, const DataFolder* data = nullptr);

// Reads the file `path`; a file that cannot be read is one error naming it.
ShowReading readShowFile(const std::string& path, const DataFolder* data = nullptr);

// "FILE:LINE:COLUMN: TEXT", one line per error kept, then how many more.
std::string errorReport(const std::string& fileName, const ShowReading& reading);

}  // namespace shell::showfile
