#include "shell/data_watch.h"

#include "base/log.h"
#include "platform/host.h"

namespace shell {
namespace {

constexpr std::uint32_t kQuietMilliseconds = 300;  // after the last change seen, before reading

}  // namespace

DataWatch::DataWatch(const std::string& folder) : watch_(folder) {
  if (!watch_.failure().empty()) kst::log("** Warning: --watch: %s", watch_.failure().c_str());
}

bool DataWatch::settled() {
  const std::uint32_t now = platform::host().timeGetTime();
  if (watch_.changed()) changedAt_ = now;
  return changedAt_ && now - *changedAt_ >= kQuietMilliseconds;
}

}  // namespace shell
