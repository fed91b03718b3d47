#include "sheet/object_views.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "layers/mesh_framing.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/robust_mesh.h"
#include "sheet/gl_canvas.h"

namespace showdata {

namespace {

float meshRadius(const kst::RobustMesh& mesh) {
  float radius = 0.0f;
  for (const Vector3& p : mesh.positions().values) radius = std::max(radius, Length(p));
  return radius;
}

void setLighting() {
  const float ambient[4] = {0.18f, 0.18f, 0.2f, 1.0f};
  const float light[4] = {1.0f, 0.97f, 0.9f, 1.0f};
  gl.glEnable(GL_LIGHTING);
  gl.glEnable(GL_LIGHT0);
  gl.glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  gl.glLightfv(GL_LIGHT0, GL_DIFFUSE, light);
  gl.glLightfv(GL_LIGHT0, GL_SPECULAR, light);
  gl.glEnable(GL_NORMALIZE);
}

void setSurface(int surface) {
  const float colours[2][4] = {{0.35f, 0.65f, 0.95f, 1.0f}, {0.95f, 0.78f, 0.45f, 1.0f}};
  const float specular[4] = {0.6f, 0.6f, 0.6f, 1.0f};
  gl.glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, colours[surface % 2]);
  gl.glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  gl.glMaterialf(GL_FRONT, GL_SHININESS, 40.0f);
}

}  // namespace

Raster ObjectViews::view(kst::RobustMesh& mesh, float yaw, float pitch) const {
  const float r = meshRadius(mesh);
  Camera camera({0.0f, 0.0f, 3.0f * r}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, r, 6.0f * r, 0.36f * r, 0.36f * r);
  gl.glViewport(0, 0, size_, size_);
  gl.glClearColor(0.10f, 0.11f, 0.15f, 1.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
  kst::UseFrameFaceAndDepthState();
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera.ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera.ViewMatrix().m);
  const float position[4] = {r * 2.0f, r * 2.5f, r * 4.0f, 1.0f};
  gl.glLightfv(GL_LIGHT0, GL_POSITION, position);
  setLighting();
  gl.glRotatef(pitch, 1.0f, 0.0f, 0.0f);
  gl.glRotatef(yaw, 0.0f, 1.0f, 0.0f);

  const auto& positions = mesh.positions();
  const auto& normals = mesh.normals();
  const auto& tags = mesh.surfaceTags();
  int current = -1;
  for (std::size_t t = 0; t < mesh.triangleCount(); ++t) {
    const int surface = t < tags.size() ? tags[t] : 0;
    if (surface != current) {
      if (current >= 0) gl.glEnd();
      setSurface(surface);
      current = surface;
      gl.glBegin(GL_TRIANGLES);
    }
    for (std::size_t k = 0; k < 3; ++k) {
      gl.glNormal3fv(normals.values[normals.corners[3 * t + k]].data());
      gl.glVertex3fv(positions.values[positions.corners[3 * t + k]].data());
    }
  }
  if (current >= 0) gl.glEnd();
  gl.glDisable(GL_LIGHTING);

  return readFrame(size_, size_);
}

}  // namespace showdata
