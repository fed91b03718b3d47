#include "timeline/bitmap_events.h"

#include <exception>

#include "base/log.h"
#include "stocks/bitmap_stock.h"
#include "stocks/load_error.h"

namespace kst {
namespace {

// A picture missing in the middle of the show must not end it: the layers
// that name it find nothing in the stock and draw nothing.
template <typename Load>
void loadOrWarn(const std::string& file, Load load) {
  try {
    load(file.c_str());
  } catch (const LoadError& error) {
    log("** Warning: %s not loaded: %s; the show goes on without it", error.file.c_str(), error.reason.c_str());
  } catch (const std::exception& error) {
    log("** Warning: %s not loaded: %s; the show goes on without it", file.c_str(), error.what());
  }
}

}  // namespace

void EvtLoadBitmapBackdrop::fire(float) {
  loadOrWarn(file(), [](const char* name) { theBitmapStock().loadBackdrop(name); });
}

void EvtLoadBitmapAlpha::fire(float) {
  loadOrWarn(file(), [](const char* name) { theBitmapStock().loadAlpha(name); });
}

void EvtUnloadBitmap::fire(float) { theBitmapStock().unload(file().c_str()); }

}  // namespace kst
