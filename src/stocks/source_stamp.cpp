#include "stocks/source_stamp.h"

#include "platform/data_files.h"

namespace kst {

SourceStamp SourceStamp::of(const std::string& file) {
  SourceStamp stamp;
  stamp.file = file;
  std::error_code error;
  const std::filesystem::path path = platform::dataFilePath(file);
  stamp.written = std::filesystem::last_write_time(path, error);
  if (error) return stamp;
  stamp.size = std::filesystem::file_size(path, error);
  stamp.present = !error;
  return stamp;
}

}  // namespace kst
