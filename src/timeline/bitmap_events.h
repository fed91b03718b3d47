#pragma once
// Putting pictures into the bitmap stock before the layers that show them,
// and taking them out after.
#include <string>

#include "timeline/file_event.h"

namespace kst {

// Loads as a padded full-screen backdrop. A picture that cannot be read is
// logged with its file and the reason, and the show goes on without it.
class EvtLoadBitmapBackdrop : public FileEvent {
 public:
  EvtLoadBitmapBackdrop(float time, std::string file) : FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};

// Loads as a single-channel mask; a failure is logged as for a backdrop.
class EvtLoadBitmapAlpha : public FileEvent {
 public:
  EvtLoadBitmapAlpha(float time, std::string file) : FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};

// Destroys the stock's texture of that name; a name not there is ignored.
class EvtUnloadBitmap : public FileEvent {
 public:
  EvtUnloadBitmap(float time, std::string file) : FileEvent(time, std::move(file)) {}
  void fire(float t) override;
};

}  // namespace kst
