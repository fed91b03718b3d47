#include "layers/mesh_framing.h"
#include "layers/scene_layers.h"
#include "platform/data_files.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "stocks/mesh_stock.h"

namespace kst {

BrushMesh::BrushMesh() { distanceFactor.defaultValue = 1.0f; }

void BrushMesh::Draw(float localTime) {
  BrushParameters values{};
  EvaluateParameters(localTime, values);
  const float rx = evaluateEnvelope(rotationX, localTime);
  const float ry = evaluateEnvelope(rotationY, localTime);
  const float rz = evaluateEnvelope(rotationZ, localTime);
  const float q = evaluateEnvelope(distanceFactor, localTime);
  MeshPrimitive* mesh = theMeshStock().get(meshName.c_str());
  if (mesh == nullptr) {
    warning_.once("** Warning: mesh \"%s\" is not in the mesh stock: its layer draws nothing\n",
                  platform::shownName(meshName).c_str());
    return;
  }
  const float r = FramingRadius(mesh->box);
  // An empty mesh or a factor of 0 or less frames nothing a camera could see.
  if (!(r > 0.0f) || !(q > 0.0f)) return;
  Camera camera({0, 0, r * (q + 1)}, {0, 0, 0}, {0, 1, 0}, r * q, r * 5, r * 0.5f, r * 0.5f);

  SetCentredViewport(values[kX], values[kY], values[kWidth], values[kHeight]);
  if (clearDepth) ResetViewportDepth(nullptr);
  UseFrameFaceAndDepthState();
  // Placed in eye space: up, right and behind the viewer, whatever the mesh does.
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  const GLfloat light[4] = {r, r, 3 * r, 1};
  gl.glEnable(GL_LIGHT0);
  gl.glLightfv(GL_LIGHT0, GL_POSITION, light);

  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glScalef(1 / q, 1 / q, 1);
  gl.glMultMatrixf(camera.ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera.ViewMatrix().m);
  gl.glRotatef(rz, 0, 0, 1);
  gl.glRotatef(ry, 0, 1, 0);
  gl.glRotatef(rx, 1, 0, 0);
  DrawChunks(*mesh, materials, camera);

  gl.glDisable(GL_LIGHT0);
  SetWholeFrameViewport();
}

}  // namespace kst
