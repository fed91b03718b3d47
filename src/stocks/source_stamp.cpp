#include "stocks/source_stamp.h"

#include <map>
#include <mutex>

#include "platform/data_files.h"

namespace kst {
namespace {

// One spelling for a path, whether the watch or the show gave it.
std::string pathKey(const std::string& path) {
  std::error_code error;
  return std::filesystem::absolute(path, error).lexically_normal().generic_string();
}

struct Reports {
  std::mutex lock;  // a scene read ahead may be stamped on its loader thread
  std::map<std::string, std::uint64_t> counts;
};

Reports& allReports() {
  static Reports all;
  return all;
}

std::uint64_t reportsOf(const std::string& path) {
  Reports& all = allReports();
  const std::lock_guard hold(all.lock);
  const auto found = all.counts.find(pathKey(path));
  return found != all.counts.end() ? found->second : 0;
}

}  // namespace

SourceStamp SourceStamp::of(const std::string& file) {
  SourceStamp stamp;
  stamp.file = file;
  const std::string path = platform::dataFilePath(file);
  stamp.reports = reportsOf(path);
  stamp.state = platform::fileState(path);
  std::error_code error;
  stamp.written = std::filesystem::last_write_time(path, error);
  stamp.present = stamp.state.present && !error;
  return stamp;
}

void SourceStamp::reportChanged(const std::string& path) {
  Reports& all = allReports();
  const std::lock_guard hold(all.lock);
  ++all.counts[pathKey(path)];
}

}  // namespace kst
