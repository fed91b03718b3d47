#pragma once
// A closed mesh drawn as a glowing volume of light (shafts, halos) whose
// brightness grows with the thickness of the volume seen through each pixel.
// The thickness is built in destination alpha from per-vertex eye depths
// (far side minus near side; with the camera inside the volume, the stencil
// keeps the eye's own depth in place of the near side), then the colour is
// added in proportion to it.
//
// Needs a subtracting blend equation (GL_ARB_imaging, or
// GL_EXT_blend_subtract with GL_EXT_blend_minmax's entry point); without
// one nothing is drawn. Leaves the blend equation at GL_FUNC_ADD, the
// blending and stencil functions (both tests off again) as its last pass
// set them, the current colour changed and texturing off; everything else
// as it found the frame's state.
#include <array>
#include <vector>

#include "render/materials/chunk_geometry.h"
#include "render/materials/material.h"
#include "render/mesh_channel.h"

namespace kst {

class Mat_Volumetric : public Material {
 public:
  void Render(Camera& camera, const ChunkGeometry& chunk) override;

  float red = 1.0f;
  float green = 1.0f;
  float blue = 1.0f;
  std::array<float, 2> unread{1.0f, 0.1f};  // set by the show script; the drawing does not use them

 private:
  struct DepthRange {
    float min = 1e16f;
    float max = -1e16f;
  };
  // Fills factors_ (0 at the nearest vertex, 1 at the farthest, times the
  // vertex alpha) and returns the eye depth range.
  DepthRange computeFactors(Camera& camera, const ChunkArrays& arrays);

  std::vector<Rgba> factors_;  // per vertex, reused from frame to frame
};

}  // namespace kst
