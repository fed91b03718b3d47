#pragma once
// Objects drawn on the software GL driver for the review sheet, one square
// view at a time in the current GL canvas (gl_canvas.h), read back into a
// raster. Fronts are clockwise and back faces culled, as
// in the show's mesh layer, so an object turned inside out shows it.
#include <string>

#include "core/raster.h"

namespace kst {
class RobustMesh;
}

namespace showdata {

class ObjectViews {
 public:
  // The canvas must be at least size x size.
  explicit ObjectViews(int size) : size_(size) {}

  // The mesh turned by `yaw` about y, then `pitch` about x (degrees), framed
  // by its bounding box, lit from the upper right; surface 0 in one
  // colour, surface 1 in another.
  Raster view(kst::RobustMesh& mesh, float yaw, float pitch) const;

 private:
  int size_;
};

}  // namespace showdata
