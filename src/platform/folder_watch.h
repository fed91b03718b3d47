#pragma once
// Changes of the files under a folder, through inotify: a file written and
// closed, moved in or out, created or deleted, named as inotify names them.
// Folders made below it after the start are followed as they come (what
// they already hold counts as changed), folders removed or moved away are
// let go, and the folder itself, moved away or removed and made again, is
// watched again once it is back. For the development mode's --watch. Main
// thread.
#include <map>
#include <string>
#include <vector>

namespace platform {

class FolderWatch {
 public:
  // Watches `folder` and every folder below it. Watches nothing when
  // inotify refuses; `failure()` then says why.
  explicit FolderWatch(const std::string& folder);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // The files (and folders) changed since the last call, as paths that
  // begin with the folder's ("demo/backs/1.jpg"). Never waits.
  std::vector<std::string> changes();
  bool changed() { return !changes().empty(); }
  const std::string& failure() const { return failure_; }

 private:
  void watchTree(const std::string& top, std::vector<std::string>& found);
  void forgetTree(std::string top);
  void take(int watch, std::uint32_t mask, const char* name, std::vector<std::string>& found);

  std::string folder_;
  int descriptor_ = -1;
  std::string failure_;
  std::map<int, std::string> folders_;  // inotify's watch number: the folder's path
};

}  // namespace platform
