#include "render/materials/mat_lit.h"

#include "render/gl_table.h"
#include "render/materials/chunk_arrays.h"
#include "render/materials/chunk_geometry.h"

namespace kst {

void Mat_Lit::Render(Camera&, const ChunkGeometry& chunk) {
  const ChunkArrays arrays = chunk.Arrays();
  gl.glEnable(GL_LIGHTING);
  gl.glEnable(GL_NORMALIZE);
  gl.glMaterialfv(GL_FRONT, GL_AMBIENT, ambient.data());
  gl.glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
  gl.glMaterialfv(GL_FRONT, GL_SPECULAR, specular.data());
  const GLint exponent = static_cast<GLint>(shininess * 128.0f);
  gl.glMaterialiv(GL_FRONT, GL_SHININESS, &exponent);
  if (arrays.normals != nullptr) {
    gl.glNormalPointer(GL_FLOAT, 12, arrays.normals);
    gl.glEnableClientState(GL_NORMAL_ARRAY);
  }
  {
    const ChunkVertexArray vertices(arrays);
    chunk.DrawSubMesh();
  }
  gl.glDisableClientState(GL_NORMAL_ARRAY);
  gl.glDisable(GL_LIGHTING);
}

}  // namespace kst
