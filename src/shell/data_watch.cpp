#include "shell/data_watch.h"

#include "base/log.h"
#include "platform/host.h"

namespace shell {
DataWatch::DataWatch(const std::string& folder, std::uint32_t quietMilliseconds)
    : watch_(folder), quietMilliseconds_(quietMilliseconds) {
  if (!watch_.failure().empty()) kst::log("** Warning: --watch: %s", watch_.failure().c_str());
}

bool DataWatch::settled() {
  const std::uint32_t now = platform::host().timeGetTime();
  if (watch_.changed()) changedAt_ = now;
  return changedAt_ && now - *changedAt_ >= quietMilliseconds_;
}

}  // namespace shell
