#include "platform/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

}  // namespace

FolderWatch::FolderWatch(const std::string& folder) {
  descriptor_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (descriptor_ < 0) {
    failure_ = std::string("inotify: ") + std::strerror(errno);
    return;
  }
  std::error_code error;
  if (inotify_add_watch(descriptor_, folder.c_str(), kChanges) < 0) {
    failure_ = folder + ": " + std::strerror(errno);
    return;
  }
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error) && inotify_add_watch(descriptor_, it->path().c_str(), kChanges) < 0)
      failure_ = it->path().string() + ": " + std::strerror(errno);
  }
}

FolderWatch::~FolderWatch() {
  if (descriptor_ >= 0) close(descriptor_);
}

bool FolderWatch::changed() {
  if (descriptor_ < 0) return false;
  alignas(inotify_event) char events[4096];
  bool any = false;
  while (read(descriptor_, events, sizeof events) > 0) any = true;
  return any;
}

}  // namespace platform
