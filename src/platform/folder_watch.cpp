#include "platform/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

constexpr std::uint32_t kChanges =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_MOVE_SELF | IN_ONLYDIR;

bool within(const std::string& path, const std::string& top) {
  return path == top || (path.size() > top.size() && path.starts_with(top) && path[top.size()] == '/');
}

}  // namespace

FolderWatch::FolderWatch(const std::string& folder) : folder_(folder) {
  descriptor_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (descriptor_ < 0) {
    failure_ = std::string("inotify: ") + std::strerror(errno);
    return;
  }
  std::vector<std::string> unused;
  watchTree(folder_, unused);
  if (folders_.empty()) failure_ = folder_ + ": " + std::strerror(errno);
}

FolderWatch::~FolderWatch() {
  if (descriptor_ >= 0) close(descriptor_);
}

// `top` and every folder below it; the files found there are added to
// `found` (a folder made after the start may have been filled before its
// watch began).
void FolderWatch::watchTree(const std::string& top, std::vector<std::string>& found) {
  const auto watch = [this](const std::string& path) {
    const int number = inotify_add_watch(descriptor_, path.c_str(), kChanges);
    if (number >= 0) folders_[number] = path;
    else if (errno != ENOENT && errno != ENOTDIR) failure_ = path + ": " + std::strerror(errno);
  };
  watch(top);
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(top, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error)) watch(it->path().string());
    else found.push_back(it->path().string());
  }
}

// `top` by value: it may be a folder's own name in folders_, erased here.
void FolderWatch::forgetTree(std::string top) {
  std::erase_if(folders_, [&](const auto& entry) {
    if (!within(entry.second, top)) return false;
    inotify_rm_watch(descriptor_, entry.first);
    return true;
  });
}

void FolderWatch::take(int watch, std::uint32_t mask, const char* name, std::vector<std::string>& found) {
  const auto folder = folders_.find(watch);
  if (folder == folders_.end()) return;
  if ((mask & IN_IGNORED) != 0) {
    folders_.erase(folder);
    return;
  }
  if ((mask & IN_MOVE_SELF) != 0) {  // moved away: whatever it is now, not ours
    forgetTree(folder->second);
    return;
  }
  const std::string path = folder->second + "/" + name;
  found.push_back(path);
  if ((mask & IN_ISDIR) == 0) return;
  if ((mask & (IN_CREATE | IN_MOVED_TO)) != 0) watchTree(path, found);
  if ((mask & IN_MOVED_FROM) != 0) forgetTree(path);
}

std::vector<std::string> FolderWatch::changes() {
  std::vector<std::string> found;
  if (descriptor_ < 0) return found;
  alignas(inotify_event) char events[4096];
  for (ssize_t length; (length = read(descriptor_, events, sizeof events)) > 0;) {
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      take(event->wd, event->mask, event->len > 0 ? event->name : "", found);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  // The folder itself gone and made again: watched again, everything in it new.
  const bool watched = std::any_of(folders_.begin(), folders_.end(), [this](const auto& e) { return e.second == folder_; });
  std::error_code error;
  if (!watched && std::filesystem::is_directory(folder_, error)) {
    found.push_back(folder_);
    watchTree(folder_, found);
  }
  return found;
}

}  // namespace platform
