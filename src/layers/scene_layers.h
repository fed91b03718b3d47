#pragma once
// The layers that draw 3D content: a scene of the scene stock through one
// of its cameras in a rectangle of the frame; a single mesh of the mesh
// stock, framed by its own box and spun by its own envelopes; and a mesh
// drawn through the current camera of a scene drawn earlier in the frame,
// hidden behind that scene's geometry.
//
// Each leaves the frame's state as it found it: stencil test off, viewport
// over the whole frame, GL_LIGHT0 off, texture units off, back faces culled
// with clockwise fronts, depth test GL_LEQUAL. Left as drawing set them:
// the texture unit the scene's last surface selected (through the state
// cache, as every later user selects one) and GL_NORMALIZE, which lit
// materials turn on (mat_lit.h). A scene or mesh the stocks
// cannot supply (the scene layer waits for one still loading first), a
// scene without a current camera and a camera index past the scene's
// cameras draw nothing that frame; the log says so once per layer.
#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "layers/brush.h"
#include "layers/layer_warning.h"
#include "render/materials/material.h"
#include "scene/envelope.h"

class MeshPrimitive;

namespace kst {

// Parameters 0 and 1: the viewport's left edge and top edge (measured from
// the top) as fractions of the frame; 2 and 3 its width and height.
class BrushScene : public Brush {
 public:
  void Draw(float localTime) override;
  // The scene's update is a matter of its time alone, and the depth of its
  // rectangle is reset before it draws.
  bool OnlyPaints() const override { return true; }
  bool ReadsEarlierDepthOrStencil() const override { return stencilFunction != GL_ALWAYS; }

  std::string sceneName;
  std::int32_t cameraIndex = 0;
  // False: the viewport keeps what earlier layers drew; only its depth is reset.
  bool fillBackground = true;
  // GL_ALWAYS: no stencil test.
  GLenum stencilFunction = GL_ALWAYS;
  std::int32_t stencilReference = 0;
  std::uint32_t stencilMask = ~0u;

 private:
  LayerWarning warning_;
};

// Parameters 0 and 1: the viewport's centre (-1 to 1); 2 and 3 its width
// and height as fractions of the frame. The camera looks at the mesh's
// origin from +z, at (distance factor + 1) times the mesh's framing radius.
class BrushMesh : public Brush {
 public:
  BrushMesh();
  void Draw(float localTime) override;
  bool OnlyPaints() const override { return true; }
  bool ReadsEarlierDepthOrStencil() const override { return !clearDepth; }

  std::string meshName;
  std::vector<Material*> materials;  // not owned; chunk i uses [surface mod count]
  bool clearDepth = true;
  Envelope rotationX;       // degrees
  Envelope rotationY;       // degrees
  Envelope rotationZ;       // degrees
  Envelope distanceFactor;  // 1: the eye at twice the radius; smaller is nearer

 private:
  LayerWarning warning_;
};

// Draws through the scene's current camera, with no parameters and no
// visibility test; meant for a layer above the one drawing the scene.
class BrushMeshInScene : public Brush {
 public:
  void Draw(float localTime) override;
  // Its materials paint and put the frame's state back; the camera it
  // looks through is the scene layer's to choose.
  bool OnlyPaints() const override { return true; }

  std::string sceneName;
  std::string meshName;
  std::vector<std::unique_ptr<Material>> materials;  // deleted with the layer

 private:
  LayerWarning warning_;
};

}  // namespace kst
