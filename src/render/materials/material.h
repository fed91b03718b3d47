#pragma once
// How the mesh layers draw one geometry chunk of a mesh: each chunk goes to
// the material its surface index picks. The caller has loaded the camera's
// projection and view matrices; a material leaves the frame's GL state as
// it found it, except where its own header says otherwise. Main thread only.
class Camera;

namespace kst {

class ChunkGeometry;

class Material {
 public:
  // Virtual: the mesh layers own their materials through this base.
  virtual ~Material() = default;
  virtual void Render(Camera& camera, const ChunkGeometry& chunk) = 0;
};

}  // namespace kst
