#include "scene/surfaces/surface.h"

#include <array>
#include <type_traits>

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

namespace {

// The loop of drawRecords for a pass of `Units` texture units, so that the
// few checks a record needs are all that is left around its calls.
template <int Units>
void drawWithUnits(std::span<const DrawRecord> records, std::int32_t extraFlags, bool colors, bool recordFlags,
                   const std::array<int, 2> sets) {
  constexpr std::int32_t kNoFog = 0x8;
  GLStateCache& cache = glStateCache;  // the calling thread's, looked up once
  const bool fogSwitch = recordFlags && cache.fog;
  for (const DrawRecord& record : records) {
    const RetainedModeData::Element& element = *record.element;
    element.bindVertices();
    if (colors) element.bindColors();
    if constexpr (Units > 0) {
      // A unit whose set the chunk lacks keeps its coordinate array off:
      // the pointer left there belongs to some other chunk.
      std::uint32_t bound = 0;
      for (int unit = 0; unit < Units; ++unit) {
        cache.SelectTextureUnit(unit);
        if (element.bindTexCoords(sets[unit])) bound |= 1u << unit;
      }
      // A mesh's own chunks set their unit's bit as they bind; others leave it to this.
      if (bound != cache.texCoordArrayMask) cache.SetTexCoordArrayMask(bound);
    }
    gl.glPushMatrix();
    gl.glMultMatrixf(record.worldMatrix->m);
    const bool fogOff = fogSwitch && (record.flags & kNoFog) != 0;
    if (fogOff) gl.glDisable(GL_FOG);
    element.draw(recordFlags ? record.flags | extraFlags : extraFlags);
    if (fogOff) gl.glEnable(GL_FOG);
    gl.glPopMatrix();
  }
}

}  // namespace

void Surface::drawRecords(std::span<const DrawRecord> records, std::int32_t extraFlags, const Pass& pass) {
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  const auto draw = [&](auto units) {
    drawWithUnits<units()>(records, extraFlags, pass.vertexColors, pass.recordFlags, pass.texCoordSet);
  };
  switch (pass.units) {
    case 0: return draw(std::integral_constant<int, 0>{});
    case 1: return draw(std::integral_constant<int, 1>{});
    default: return draw(std::integral_constant<int, 2>{});
  }
}
