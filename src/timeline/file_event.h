#pragma once
// The common shape of every event that names a resource: its own copy of the
// name (a relative path or a stock name), passed on as NUL-terminated text.
#include <string>

#include "timeline/timeline.h"

namespace kst {

class FileEvent : public TimeLineEvent {
 public:
  FileEvent(float relativeTime, std::string file) : TimeLineEvent(relativeTime), file_(std::move(file)) {}

  const std::string& file() const { return file_; }

 private:
  std::string file_;
};

}  // namespace kst
