#pragma once
// The review sheet's drawing surface on the software GL driver: a hidden
// window with the engine's rendering device, current on this thread while
// the canvas lives, and the frame read back into a raster.
#include <memory>

#include "core/raster.h"

namespace showdata {

class GLCanvas {
 public:
  // Throws std::runtime_error when no GL device can be made.
  GLCanvas(int width, int height);
  ~GLCanvas();
  GLCanvas(const GLCanvas&) = delete;
  GLCanvas& operator=(const GLCanvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  struct Window;
  std::unique_ptr<Window> window_;
  int width_;
  int height_;
};

// The lower-left width x height pixels of the current frame, top row first.
Raster readFrame(int width, int height);

}  // namespace showdata
