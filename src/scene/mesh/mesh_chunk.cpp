#include "scene/mesh/mesh_chunk.h"

#include <GL/glext.h>

#include <algorithm>

#include "render/device.h"
#include "render/gl_table.h"

namespace {

// Every indexed draw takes the range form where the driver has it.
void drawIndexed(GLenum mode, std::uint32_t vertexCount, std::size_t count, const std::uint16_t* indices) {
  if (GLCapability(GLCap::EXT_draw_range_elements) != 0)
    gl.glDrawRangeElementsEXT(mode, 0, vertexCount, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT, indices);
  else
    gl.glDrawElements(mode, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT, indices);
}

bool canDrawIndexBuffer() {
  return GLCapability(GLCap::ATI_vertex_array_object) != 0 && GLCapability(GLCap::ATI_element_array) != 0;
}

void drawIndexBuffer(GLuint buffer, std::size_t count) {
  gl.glEnableClientState(GL_ELEMENT_ARRAY_ATI);
  gl.glArrayObjectATI(GL_ELEMENT_ARRAY_ATI, 1, GL_UNSIGNED_INT, 0, buffer, 0);
  gl.glDrawElementArrayATI(GL_TRIANGLES, static_cast<GLsizei>(count));
  gl.glDisableClientState(GL_ELEMENT_ARRAY_ATI);
}

}  // namespace

void MeshChunk::DrawSubMesh() const {
  std::size_t drawnIndices = 0;
  std::size_t drawnTriangles = 0;
  if (indexBuffer != 0 && canDrawIndexBuffer()) {
    drawnIndices = std::size_t{triangleCount} * 3;
    drawnTriangles = triangleCount;
    drawIndexBuffer(indexBuffer, drawnIndices);
  } else if (hasStrips) {
    for (const Strip& strip : strips) {
      if (strip.indices.size() < 3) continue;
      drawIndexed(GL_TRIANGLE_STRIP, vertexCount, strip.indices.size(), strip.indices.data());
      drawnIndices += strip.indices.size();
      drawnTriangles += strip.indices.size() - 2;
    }
  } else {
    // Never past the list, whatever the count says.
    drawnTriangles = std::min<std::size_t>(triangleCount, indices.size() / 3);
    drawnIndices = drawnTriangles * 3;
    if (drawnIndices != 0) drawIndexed(GL_TRIANGLES, vertexCount, drawnIndices, indices.data());
  }
  if (KS_3Ddevice* device = RenderDevice()) {
    device->vertices += vertexCount;
    device->indices += static_cast<std::uint32_t>(drawnIndices);
    device->triangles += static_cast<std::uint32_t>(drawnTriangles);
  }
}
