#pragma once
// Vertex data handed to GL, in whichever memory the driver offers: GL object
// buffers (ATI), the vertex array range pool (NVIDIA), vertex buffer objects
// (any driver with GL_ARB_vertex_buffer_object), or plain system memory,
// which every driver takes. A format lists the attributes laid out
// one after another in an object.
#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class OGL2Object {
 public:
  virtual ~OGL2Object() = default;
};

// The plain kind: a buffer in system memory, handed to GL through the
// ordinary array pointers. Each object belongs to one chunk of a mesh and
// lives as long as the mesh; GL-side kinds need the context current when
// they are made, filled and destroyed (the main thread).
class VertexArrayObject : public OGL2Object {
 public:
  ~VertexArrayObject() override;
  // False when not even system memory can be had.
  virtual bool allocate(std::uint32_t size);
  // Copies `length` bytes to `offset`; returns the length copied, which is
  // less when the object ends first.
  virtual std::uint32_t upload(std::uint32_t offset, std::uint32_t length, const void* source);
  // Points GL array `array` (GL_VERTEX_ARRAY, GL_NORMAL_ARRAY,
  // GL_COLOR_ARRAY or GL_TEXTURE_COORD_ARRAY) at the data from `offset` on.
  virtual void setPointer(GLenum array, GLint components, GLenum type, GLsizei stride, std::uint32_t offset,
                          std::uint32_t vertexCount);

  std::uint32_t size() const { return size_; }

 protected:
  // What fits of `length` bytes at `offset`.
  std::uint32_t fitting(std::uint32_t offset, std::uint32_t length) const;
  // The ordinary array pointer of that kind, through the state cache.
  static void pointArray(GLenum array, GLint components, GLenum type, GLsizei stride, const void* pointer);

  std::unique_ptr<std::uint8_t[]> buffer_;
  std::uint32_t size_ = 0;
};

// A vertex buffer object where the driver has them and finds their
// storage, else system memory: uploaded once, so the driver does not copy
// the arrays at every draw. The buffer is bound only while a pointer into
// it is set, so that arrays in system memory (shadow volumes, light shafts)
// are never read from it.
class ARB_VertexArrayObject : public VertexArrayObject {
 public:
  ~ARB_VertexArrayObject() override;
  bool allocate(std::uint32_t size) override;
  std::uint32_t upload(std::uint32_t offset, std::uint32_t length, const void* source) override;
  void setPointer(GLenum array, GLint components, GLenum type, GLsizei stride, std::uint32_t offset,
                  std::uint32_t vertexCount) override;

 private:
  void makeBuffer(std::uint32_t size);

  GLuint vertexBuffer_ = 0;
};

// In the driver's vertex array range (the state cache's pool) while it has
// room, else where an ARB_VertexArrayObject goes: a vertex buffer object
// where the driver has them, else system memory.
class NV_VertexArrayObject : public ARB_VertexArrayObject {
 public:
  bool allocate(std::uint32_t size) override;
  std::uint32_t upload(std::uint32_t offset, std::uint32_t length, const void* source) override;
  void setPointer(GLenum array, GLint components, GLenum type, GLsizei stride, std::uint32_t offset,
                  std::uint32_t vertexCount) override;

 private:
  std::uint8_t* poolMemory_ = nullptr;  // owned by the device's pool
};

// A GL object buffer where the driver has them, else system memory.
class ATI_VertexArrayObject : public VertexArrayObject {
 public:
  ~ATI_VertexArrayObject() override;
  bool allocate(std::uint32_t size) override;
  std::uint32_t upload(std::uint32_t offset, std::uint32_t length, const void* source) override;
  void setPointer(GLenum array, GLint components, GLenum type, GLsizei stride, std::uint32_t offset,
                  std::uint32_t vertexCount) override;

 private:
  GLuint objectBuffer_ = 0;
};

class VertexArrayFormat : public OGL2Object {
 public:
  struct Attribute {
    GLenum array;
    GLint components;
    GLenum type;
  };

  void add(GLenum array, GLint components, GLenum type);
  // Bytes per vertex: the attributes one after another.
  GLsizei stride() const;

  std::vector<Attribute> attributes;
};

// The best kind the driver offers (ATI object buffers, else the NVIDIA
// range, else vertex buffer objects, else system memory), already
// allocated; null when even system memory cannot be had.
std::unique_ptr<VertexArrayObject> createVertexArrayObject(std::uint32_t size);

// Points every attribute of `format` at `object`, from `offset` on.
void bindArrays(VertexArrayObject& object, const VertexArrayFormat& format, std::uint32_t offset,
                std::uint32_t vertexCount);

// Bytes of one value of a GL data type.
GLsizei glTypeSize(GLenum type);
