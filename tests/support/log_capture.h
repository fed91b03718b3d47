#pragma once
// Installs a logger that keeps every formatted line for the life of the
// object, then puts the silent default logger back.
#include <string>
#include <vector>

#include "base/log.h"

namespace fake {

class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Everything logged so far, lines joined as written. Any thread may log
  // meanwhile; read `lines` only while no other thread logs.
  std::string text() const;
  const std::vector<std::string>& lines() const;

 private:
  class Keeper;
  Keeper* keeper_;  // owned by the log while installed
};

}  // namespace fake
