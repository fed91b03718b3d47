#include "scene/texture_image.h"

#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "base/log.h"

namespace {

GLenum supportedWrap(GLenum mode) {
  if (mode == GL_MIRRORED_REPEAT_IBM && GLCapability(GLCap::IBM_texture_mirrored_repeat) == 0) return GL_REPEAT;
  return mode;
}

// A texture name GL has just dropped from every unit it was bound on; the
// cache must not believe it is still there, since GL hands the name out again.
void forgetCachedBindings(GLuint name) {
  for (std::int32_t& bound : glStateCache.boundTexture)
    if (bound == static_cast<std::int32_t>(name)) bound = -1;
}

}  // namespace

TextureImage::TextureImage(std::unique_ptr<Image32> image, std::uint32_t flags) : flags(flags | TEX_COMPRESS) {
  upload(std::move(image));
}

TextureImage::TextureImage(std::unique_ptr<Image24> image, std::uint32_t flags) : flags(flags | TEX_COMPRESS) {
  upload(std::move(image));
}

TextureImage::TextureImage(std::unique_ptr<Image8> image, std::uint32_t flags) : flags(flags | TEX_COMPRESS) {
  upload(std::move(image));
}

TextureImage::~TextureImage() {
  kst::log("delete texture : %d", static_cast<int>(glName));
  deleteGLName();
  kst::log("  done.");
}

void TextureImage::setWrapS(GLenum mode) { wrapS = supportedWrap(mode); }
void TextureImage::setWrapT(GLenum mode) { wrapT = supportedWrap(mode); }

void TextureImage::bind(int unit) {
  uploadKept();
  glStateCache.BindTexture(unit, static_cast<GLint>(glName));
  struct Setting {
    GLenum parameter;
    GLenum wanted;
    GLenum& applied;
  };
  for (Setting setting : {Setting{GL_TEXTURE_WRAP_S, wrapS, appliedWrapS}, Setting{GL_TEXTURE_WRAP_T, wrapT, appliedWrapT},
                          Setting{GL_TEXTURE_MAG_FILTER, magFilter, appliedMagFilter},
                          Setting{GL_TEXTURE_MIN_FILTER, minFilter, appliedMinFilter}}) {
    if (setting.wanted == setting.applied) continue;
    // The texture may have been bound already while another unit was
    // selected: parameters go to the selected unit's texture.
    glStateCache.SelectTextureUnit(unit);
    gl.glTexParameteri(GL_TEXTURE_2D, setting.parameter, static_cast<GLint>(setting.wanted));
    setting.applied = setting.wanted;
  }
}

bool TextureImage::compressing() const {
  return GLCapability(GLCap::ARB_texture_compression) != 0 && (flags & TEX_COMPRESS) != 0;
}

void TextureImage::renewGLName() {
  deleteGLName();
  gl.glGenTextures(1, &glName);
  bindForSetUp();
}

// Setting up binds behind the state cache's back (and possibly on a loader
// thread's own context): the cache forgets what the selected unit holds.
void TextureImage::bindForSetUp() const {
  gl.glBindTexture(GL_TEXTURE_2D, glName);
  glStateCache.boundTexture[glStateCache.activeTexture] = -1;
}

void TextureImage::deleteGLName() {
  if (glName == 0 || gl.glDeleteTextures == nullptr) return;
  gl.glDeleteTextures(1, &glName);
  forgetCachedBindings(glName);
  glName = 0;
}

// Everything sent here is what GL now has, so binding need not send it again.
void TextureImage::sendParameters() {
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrapS));
  gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(wrapT));
  if (GLCapability(GLCap::EXT_texture_filter_anisotropic) != 0)
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, maxAnisotropy);
  appliedMagFilter = magFilter;
  appliedMinFilter = minFilter;
  appliedWrapS = wrapS;
  appliedWrapT = wrapT;
}
