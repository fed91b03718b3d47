#pragma once
// Plain fixed-function lighting of a chunk with one set of front material
// colours. The lights are the drawing layer's. Leaves GL_NORMALIZE on: only
// lighting reads it, and only this material lights.
#include "persist/stored_values.h"
#include "render/materials/material.h"

namespace kst {

class Mat_Lit : public Material {
 public:
  void Render(Camera& camera, const ChunkGeometry& chunk) override;

  persist::Colour ambient{0.2f, 0.2f, 0.2f, 1.0f};
  persist::Colour diffuse{0.8f, 0.8f, 0.8f, 1.0f};
  persist::Colour specular{0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;  // 0 to 1; GL gets the integer part of shininess × 128
};

}  // namespace kst
