#include "platform/host.h"

#include <stdexcept>

namespace platform {
namespace {
Host* currentHost = nullptr;
}

Host& host() {
  if (currentHost == nullptr) throw std::logic_error("no platform host installed");
  return *currentHost;
}

void setHost(Host* h) { currentHost = h; }

}  // namespace platform
