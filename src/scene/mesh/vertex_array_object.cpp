#include "scene/mesh/vertex_array_object.h"

#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "render/gl_state_cache.h"
#include "render/gl_table.h"

// ---- system memory ------------------------------------------------------------

VertexArrayObject::~VertexArrayObject() = default;

bool VertexArrayObject::allocate(std::uint32_t size) {
  buffer_.reset(new (std::nothrow) std::uint8_t[size]);
  size_ = buffer_ != nullptr ? size : 0;
  return buffer_ != nullptr;
}

std::uint32_t VertexArrayObject::fitting(std::uint32_t offset, std::uint32_t length) const {
  if (offset >= size_) return 0;
  return std::min(length, size_ - offset);
}

std::uint32_t VertexArrayObject::upload(std::uint32_t offset, std::uint32_t length, const void* source) {
  const std::uint32_t copied = fitting(offset, length);
  if (copied != 0) std::memcpy(buffer_.get() + offset, source, copied);
  return copied;
}

void VertexArrayObject::setPointer(GLenum array, GLint components, GLenum type, GLsizei stride, std::uint32_t offset,
                                   std::uint32_t) {
  pointArray(array, components, type, stride, buffer_.get() + offset);
}

void VertexArrayObject::pointArray(GLenum array, GLint components, GLenum type, GLsizei stride, const void* pointer) {
  switch (array) {
    case GL_VERTEX_ARRAY: glStateCache.VertexPointer(components, type, stride, pointer); break;
    case GL_NORMAL_ARRAY: glStateCache.NormalPointer(type, stride, pointer); break;
    case GL_COLOR_ARRAY: glStateCache.ColorPointer(components, type, stride, pointer); break;
    case GL_TEXTURE_COORD_ARRAY: glStateCache.TexCoordPointer(components, type, stride, pointer); break;
    default: break;
  }
}

// ---- NVIDIA vertex array range ------------------------------------------------

bool NV_VertexArrayObject::allocate(std::uint32_t size) {
  // The pool is made on first demand: only vertex arrays use it.
  if (glStateCache.CreatePool() == 1) poolMemory_ = static_cast<std::uint8_t*>(glStateCache.Allocate(size));
  if (poolMemory_ == nullptr) return ARB_VertexArrayObject::allocate(size);
  size_ = size;
  return true;
}

std::uint32_t NV_VertexArrayObject::upload(std::uint32_t offset, std::uint32_t length, const void* source) {
  if (poolMemory_ == nullptr) return ARB_VertexArrayObject::upload(offset, length, source);
  const std::uint32_t copied = fitting(offset, length);
  if (copied != 0) std::memcpy(poolMemory_ + offset, source, copied);
  return copied;
}

void NV_VertexArrayObject::setPointer(GLenum array, GLint components, GLenum type, GLsizei stride,
                                      std::uint32_t offset, std::uint32_t vertexCount) {
  if (poolMemory_ == nullptr) {
    ARB_VertexArrayObject::setPointer(array, components, type, stride, offset, vertexCount);
    return;
  }
  glStateCache.pool->EnableRange();
  pointArray(array, components, type, stride, poolMemory_ + offset);
}

// ---- ATI object buffers -----------------------------------------------------------

ATI_VertexArrayObject::~ATI_VertexArrayObject() {
  if (objectBuffer_ != 0) gl.glFreeObjectBufferATI(objectBuffer_);
}

bool ATI_VertexArrayObject::allocate(std::uint32_t size) {
  if (GLCapability(GLCap::ATI_vertex_array_object) != 0)
    objectBuffer_ = gl.glNewObjectBufferATI(static_cast<GLsizei>(size), nullptr, GL_STATIC_ATI);
  if (objectBuffer_ == 0) return VertexArrayObject::allocate(size);
  size_ = size;
  return true;
}

std::uint32_t ATI_VertexArrayObject::upload(std::uint32_t offset, std::uint32_t length, const void* source) {
  if (objectBuffer_ == 0) return VertexArrayObject::upload(offset, length, source);
  const std::uint32_t copied = fitting(offset, length);
  if (copied != 0) gl.glUpdateObjectBufferATI(objectBuffer_, offset, static_cast<GLsizei>(copied), source, GL_PRESERVE_ATI);
  return copied;
}

void ATI_VertexArrayObject::setPointer(GLenum array, GLint components, GLenum type, GLsizei stride,
                                       std::uint32_t offset, std::uint32_t vertexCount) {
  if (objectBuffer_ == 0) {
    VertexArrayObject::setPointer(array, components, type, stride, offset, vertexCount);
    return;
  }
  gl.glArrayObjectATI(array, components, type, stride, objectBuffer_, offset);
}

// ---- vertex buffer objects -----------------------------------------------------------

ARB_VertexArrayObject::~ARB_VertexArrayObject() {
  // Without a table (the device already gone) the context took its buffers with it.
  if (vertexBuffer_ != 0 && gl.glDeleteBuffersARB != nullptr) gl.glDeleteBuffersARB(1, &vertexBuffer_);
}

// A buffer whose storage the driver could not find (GL_OUT_OF_MEMORY, told
// apart from errors left by earlier calls) is given back: its name alone
// holds nothing to draw from.
void ARB_VertexArrayObject::makeBuffer(std::uint32_t size) {
  constexpr int kErrorFlags = 16;  // a driver keeps one flag per kind of error at most
  for (int flag = 0; flag < kErrorFlags && gl.glGetError() != GL_NO_ERROR; ++flag) {
  }
  gl.glGenBuffersARB(1, &vertexBuffer_);
  if (vertexBuffer_ == 0) return;
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertexBuffer_);
  gl.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(size), nullptr, GL_STATIC_DRAW_ARB);
  const bool stored = gl.glGetError() != GL_OUT_OF_MEMORY;
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
  if (stored) return;
  gl.glDeleteBuffersARB(1, &vertexBuffer_);
  vertexBuffer_ = 0;
}

bool ARB_VertexArrayObject::allocate(std::uint32_t size) {
  if (GLCapability(GLCap::ARB_vertex_buffer_object) != 0) makeBuffer(size);
  if (vertexBuffer_ == 0) return VertexArrayObject::allocate(size);
  size_ = size;
  return true;
}

std::uint32_t ARB_VertexArrayObject::upload(std::uint32_t offset, std::uint32_t length, const void* source) {
  if (vertexBuffer_ == 0) return VertexArrayObject::upload(offset, length, source);
  const std::uint32_t copied = fitting(offset, length);
  if (copied == 0) return 0;
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertexBuffer_);
  gl.glBufferSubDataARB(GL_ARRAY_BUFFER_ARB, offset, copied, source);
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
  return copied;
}

void ARB_VertexArrayObject::setPointer(GLenum array, GLint components, GLenum type, GLsizei stride,
                                       std::uint32_t offset, std::uint32_t vertexCount) {
  if (vertexBuffer_ == 0) {
    VertexArrayObject::setPointer(array, components, type, stride, offset, vertexCount);
    return;
  }
  // With a buffer bound, a pointer is an offset into it.
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertexBuffer_);
  pointArray(array, components, type, stride, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset)));
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

// ---- formats and binding ------------------------------------------------------------

void VertexArrayFormat::add(GLenum array, GLint components, GLenum type) {
  attributes.push_back({array, components, type});
}

GLsizei VertexArrayFormat::stride() const {
  GLsizei bytes = 0;
  for (const Attribute& attribute : attributes) bytes += attribute.components * glTypeSize(attribute.type);
  return bytes;
}

GLsizei glTypeSize(GLenum type) {
  switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE: return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT: return 2;
    case GL_DOUBLE: return 8;
    default: return 4;  // GL_INT, GL_UNSIGNED_INT, GL_FLOAT
  }
}

std::unique_ptr<VertexArrayObject> createVertexArrayObject(std::uint32_t size) {
  std::unique_ptr<VertexArrayObject> object;
  if (GLCapability(GLCap::ATI_vertex_array_object) != 0)
    object = std::make_unique<ATI_VertexArrayObject>();
  else if (GLCapability(GLCap::NV_vertex_array_range) != 0)
    object = std::make_unique<NV_VertexArrayObject>();
  else if (GLCapability(GLCap::ARB_vertex_buffer_object) != 0)
    object = std::make_unique<ARB_VertexArrayObject>();
  else
    object = std::make_unique<VertexArrayObject>();
  if (!object->allocate(size)) return nullptr;
  return object;
}

void bindArrays(VertexArrayObject& object, const VertexArrayFormat& format, std::uint32_t offset,
                std::uint32_t vertexCount) {
  const GLsizei stride = format.stride();
  for (const VertexArrayFormat::Attribute& attribute : format.attributes) {
    object.setPointer(attribute.array, attribute.components, attribute.type, stride, offset, vertexCount);
    offset += static_cast<std::uint32_t>(attribute.components * glTypeSize(attribute.type));
  }
}
