#pragma once
// A file missing or damaged while the show is built or played must not end
// it: the load is given up with one warning naming the file and the reason,
// and the layers that name it find nothing in their stock and draw nothing.
#include <exception>
#include <string>

#include "base/log.h"
#include "platform/data_files.h"
#include "stocks/load_error.h"

namespace kst {

// Runs `load(file)`; false, after the warning, when it threw.
template <typename Load>
bool loadOrWarn(const std::string& file, Load load) {
  try {
    load(file.c_str());
    return true;
  } catch (const LoadError& error) {
    log("** Warning: %s not loaded: %s; the show goes on without it", platform::shownName(error.file).c_str(),
        error.reason.c_str());
  } catch (const std::exception& error) {
    log("** Warning: %s not loaded: %s; the show goes on without it", platform::shownName(file).c_str(),
        error.what());
  }
  return false;
}

}  // namespace kst
