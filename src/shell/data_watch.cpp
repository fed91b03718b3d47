#include "shell/data_watch.h"

#include "base/log.h"
#include "platform/host.h"
#include "stocks/source_stamp.h"

namespace shell {
DataWatch::DataWatch(const std::string& folder, std::uint32_t quietMilliseconds)
    : watch_(folder), quietMilliseconds_(quietMilliseconds) {
  if (!watch_.failure().empty()) kst::log("** Warning: --watch: %s", watch_.failure().c_str());
}

bool DataWatch::settled() {
  const std::uint32_t now = platform::host().timeGetTime();
  // Each file named is taken for changed, whatever its stamp says.
  for (const std::string& path : watch_.changes()) {
    kst::SourceStamp::reportChanged(path);
    changedAt_ = now;
  }
  return changedAt_ && now - *changedAt_ >= quietMilliseconds_;
}

}  // namespace shell
