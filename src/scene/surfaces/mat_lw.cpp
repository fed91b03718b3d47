// Drawing a LightWave surface: up to two texture layers on two texture
// units, or in two passes over one unit where the driver has only one.
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

namespace {

void setUpLayer(TextureImage& texture, const Mat_LW::Layer& layer, int unit) {
  texture.setWrapS(wrapMode(layer.wrapSCode));
  texture.setWrapT(wrapMode(layer.wrapTCode));
  texture.magFilter = layer.magFilter;
  texture.minFilter = layer.minFilter;
  texture.bind(unit);
}

void useAlphaBlending() {
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// What every way of drawing leaves behind: depth writes, no blending or
// alpha test, no arrays.
void resetState() {
  gl.glDepthMask(GL_TRUE);
  gl.glDisable(GL_BLEND);
  gl.glDisable(GL_ALPHA_TEST);
  glStateCache.SetTexCoordArrayMask(0);
  glStateCache.EnableNormalArray(false);
  glStateCache.EnableColorArray(false);
  glStateCache.EnableVertexArray(false);
}

}  // namespace

bool Mat_LW::fetchTextures(Textures& textures) const {
  auto fetch = [this](const Layer& layer) { return scene != nullptr ? scene->textureAt(layer.texture) : nullptr; };
  if (layer1.active() && (textures.first = fetch(layer1)) == nullptr) return false;
  if (layer2.active() && (textures.second = fetch(layer2)) == nullptr) return false;
  return true;
}

void Mat_LW::render(std::span<const DrawRecord> records, std::int32_t extraFlags) {
  Textures textures;
  if (!fetchTextures(textures)) return;
  if (GLCapability(GLCap::ARB_multitexture) != 0)
    renderMultitexture(records, extraFlags, textures);
  else
    renderOneUnit(records, extraFlags, textures);
  resetState();
}

// Layer 1 takes unit 0; layer 2 the next free unit. A layer reads the
// coordinate set numbered by the enabled layer slots before it, so layer 2
// reads set 1 whenever layer 1 is enabled, even with no texture.
void Mat_LW::renderMultitexture(std::span<const DrawRecord> records, std::int32_t extraFlags,
                                const Textures& textures) {
  Pass pass;
  pass.vertexColors = useVertexColors;
  const bool alphaTexture = textures.first != nullptr && textures.first->hasAlpha;
  if (textures.first != nullptr) {
    setUpLayer(*textures.first, layer1, 0);
    gl.glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (alphaTexture) {
      gl.glEnable(GL_ALPHA_TEST);
      gl.glAlphaFunc(GL_GREATER, 0.8f);
      useAlphaBlending();
    }
    pass.texCoordSet[pass.units++] = 0;
  } else {
    gl.glColor4f(color[0] * diffuse, color[1] * diffuse, color[2] * diffuse, 1.0f - transparency);
  }
  if (textures.second != nullptr) {
    setUpLayer(*textures.second, layer2, pass.units);
    pass.texCoordSet[pass.units++] = layer1.enabled ? 1 : 0;
  }
  applyArrayState(useVertexColors, (1u << pass.units) - 1);
  if (transparency > 0.0f && !alphaTexture) {
    useAlphaBlending();
    gl.glDepthMask(GL_FALSE);
  }
  drawRecords(records, extraFlags, pass);
}

// One unit: layer 1 (or, without it, the colour and layer 2) first; then
// layer 2 again, multiplied over what the first pass left.
void Mat_LW::renderOneUnit(std::span<const DrawRecord> records, std::int32_t extraFlags, const Textures& textures) {
  Pass pass;
  pass.vertexColors = useVertexColors;
  pass.recordFlags = false;
  if (textures.first != nullptr) {
    setUpLayer(*textures.first, layer1, 0);
    gl.glColor3f(1.0f, 1.0f, 1.0f);
  } else {
    sendColour();
    if (textures.second != nullptr) setUpLayer(*textures.second, layer2, 0);
  }
  pass.units = textures.first != nullptr || textures.second != nullptr ? 1 : 0;
  applyArrayState(useVertexColors, pass.units);
  drawRecords(records, extraFlags, pass);
  if (textures.first == nullptr || textures.second == nullptr) return;
  setUpLayer(*textures.second, layer2, 0);
  gl.glColor3f(1.0f, 1.0f, 1.0f);
  glStateCache.EnableColorArray(false);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_DST_COLOR, GL_ZERO);
  pass.vertexColors = false;
  pass.texCoordSet[0] = 1;
  drawRecords(records, extraFlags, pass);
  gl.glDisable(GL_BLEND);
}
