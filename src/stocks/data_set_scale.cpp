#include "stocks/data_set_scale.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "base/log.h"
#include "platform/data_files.h"

namespace kst {
namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

int ReadDataSetScale() {
  if (!platform::dataFileExists(kDataSetScaleFile)) return 1;
  const auto bytes = platform::readDataFile(kDataSetScaleFile);
  std::string text = bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  // Blanks around the number do not count.
  text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
  text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '0' + kLargestDataSetScale) return text[0] - '0';
  if (text.size() > 40) text = text.substr(0, 40) + "...";
  log("** Warning: %s: expected the data set's scale, a whole number from 1 to %d, %s: its pictures are taken "
      "at scale 1",
      platform::dataFilePath(kDataSetScaleFile).c_str(), kLargestDataSetScale,
      bytes ? ("got '" + text + "'").c_str() : "but it cannot be read");
  return 1;
}

}  // namespace kst
