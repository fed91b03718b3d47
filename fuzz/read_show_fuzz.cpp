// Show files are written by people: any bytes read as one give a show or
// errors with their places, never a crash. A show that reads is written
// and read again and must come back the same, so the writer's quoting and
// numbers are tried too. The data folder is a stand-in where some files are
// missing and every scene has two cameras.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "shell/showfile/show_reader.h"
#include "shell/showfile/show_writer.h"

namespace {

const shell::showfile::DataFolder kData{
    [](const std::string& file) { return file.size() % 7 != 0; },
    [](const std::vector<std::string>& files) {
      std::map<std::string, std::optional<int>> counts;
      for (const std::string& file : files) counts[file] = 2;
      return counts;
    },
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shell::showfile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ShowReading reading = readShow(text, "fuzz.toml", &kData);
  if (errorReport("fuzz.toml", reading).empty() != reading.show.has_value()) __builtin_trap();
  if (!reading.show) return 0;
  const ShowReading again = readShow(showText(*reading.show), "again.toml", &kData);
  if (!again.show || !(*again.show == *reading.show)) __builtin_trap();
  return 0;
}
