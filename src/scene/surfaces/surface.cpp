#include "scene/surfaces/surface.h"

#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace {

void setCap(GLenum cap, bool on) { on ? gl.glEnable(cap) : gl.glDisable(cap); }

}  // namespace

GLenum wrapMode(std::uint32_t code) {
  switch (code) {
    case 1: return GL_CLAMP;
    case 2: return GL_MIRRORED_REPEAT_IBM;
    default: return GL_REPEAT;
  }
}

void Surface::setSidedness(int sidedness) {
  if (sidedness == 2) {
    cullFaces = false;
    return;
  }
  cullFaces = true;
  cullMode = sidedness == 1 ? GL_FRONT : GL_BACK;
}

void Surface::render(std::span<const DrawRecord> records, std::int32_t extraFlags) {
  applyArrayState(false, 0);
  sendColour();
  drawRecords(records, extraFlags, Pass{});
}

void Surface::sendColour() const {
  gl.glColor3f(color[0] * diffuse, color[1] * diffuse, color[2] * diffuse);
}

// Normal arrays are never bound by a surface: one left on by earlier drawing
// would make GL read through a stale pointer, so it goes off here.
void Surface::applyArrayState(bool vertexColors, std::uint32_t unitMask) const {
  glStateCache.EnableColorArray(vertexColors);
  glStateCache.EnableNormalArray(false);
  glStateCache.SetTextureMask(unitMask);
  glStateCache.SetTexCoordArrayMask(unitMask);
  glStateCache.EnableVertexArray(true);
  if (glStateCache.cullFace != cullFaces) {
    setCap(GL_CULL_FACE, cullFaces);
    glStateCache.cullFace = cullFaces;
  }
  if (glStateCache.cullFaceMode != static_cast<std::int32_t>(cullMode)) {
    gl.glCullFace(cullMode);
    glStateCache.cullFaceMode = static_cast<std::int32_t>(cullMode);
  }
}

void Surface::drawRecords(std::span<const DrawRecord> records, std::int32_t extraFlags, const Pass& pass) {
  constexpr std::int32_t kNoFog = 0x8;
  GLStateCache& cache = glStateCache;  // the calling thread's, looked up once
  cache.SetMatrixMode(GL_MODELVIEW);
  // Held here rather than read through `pass` after every call into GL.
  const Pass p = pass;
  const bool fogSwitch = p.recordFlags && cache.fog;
  for (const DrawRecord& record : records) {
    const RetainedModeData::Element& element = *record.element;
    element.bindVertices();
    if (p.vertexColors) element.bindColors();
    // A unit whose set the chunk lacks keeps its coordinate array off: the
    // pointer left there belongs to some other chunk.
    std::uint32_t bound = 0;
    for (int unit = 0; unit < p.units; ++unit) {
      cache.SelectTextureUnit(unit);
      if (element.bindTexCoords(p.texCoordSet[unit])) bound |= 1u << unit;
    }
    if (bound != cache.texCoordArrayMask) cache.SetTexCoordArrayMask(bound);
    gl.glPushMatrix();
    gl.glMultMatrixf(record.worldMatrix.m);
    const bool fogOff = fogSwitch && (record.flags & kNoFog) != 0;
    if (fogOff) gl.glDisable(GL_FOG);
    element.draw(p.recordFlags ? record.flags | extraFlags : extraFlags);
    if (fogOff) gl.glEnable(GL_FOG);
    gl.glPopMatrix();
  }
}
