#pragma once
// Changes of the files under a folder, through inotify: a file written and
// closed, moved in or out, created or deleted. For the development mode's
// --watch. Main thread.
#include <string>

namespace platform {

class FolderWatch {
 public:
  // Watches `folder` and every folder below it as they are now. Watches
  // nothing when inotify refuses; `failure()` then says why.
  explicit FolderWatch(const std::string& folder);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // True when something changed since the last call. Never waits.
  bool changed();
  const std::string& failure() const { return failure_; }

 private:
  int descriptor_ = -1;
  std::string failure_;
};

}  // namespace platform
