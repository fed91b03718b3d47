#pragma once
// A stock load that failed. It names the file and says why; the stock is
// left as it was.
#include <stdexcept>
#include <string>

namespace kst {

class LoadError : public std::runtime_error {
 public:
  LoadError(const std::string& file, const std::string& reason)
      : std::runtime_error(file + ": " + reason), file(file), reason(reason) {}

  std::string file;
  std::string reason;
};

}  // namespace kst
