#pragma once
// Objects drawn on the software GL driver for the review sheet: a hidden
// window with the engine's rendering device, one square view at a time,
// read back into a raster. Fronts are clockwise and back faces culled, as
// in the show's mesh layer, so an object turned inside out shows it.
#include <memory>
#include <string>

#include "core/raster.h"

namespace kst {
class RobustMesh;
}

namespace showdata {

class ObjectViews {
 public:
  // Throws std::runtime_error when no GL device can be made.
  explicit ObjectViews(int size);
  ~ObjectViews();
  ObjectViews(const ObjectViews&) = delete;
  ObjectViews& operator=(const ObjectViews&) = delete;

  // The mesh turned by `yaw` about y, then `pitch` about x (degrees), framed
  // by its bounding box, lit from the upper right; surface 0 in one
  // colour, surface 1 in another.
  Raster view(kst::RobustMesh& mesh, float yaw, float pitch) const;

 private:
  struct Window;
  std::unique_ptr<Window> window_;
  int size_;
};

}  // namespace showdata
