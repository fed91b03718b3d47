#include "timeline/bitmap_events.h"

#include "stocks/bitmap_stock.h"
#include "stocks/load_or_warn.h"

namespace kst {

void EvtLoadBitmapBackdrop::fire(float) {
  loadOrWarn(file(), [](const char* name) { theBitmapStock().loadBackdrop(name); });
}

void EvtLoadBitmapAlpha::fire(float) {
  loadOrWarn(file(), [](const char* name) { theBitmapStock().loadAlpha(name); });
}

void EvtUnloadBitmap::fire(float) { theBitmapStock().unload(file().c_str()); }

}  // namespace kst
