#pragma once
// What a chunk of a mesh keeps on the GL side: one vertex array object and
// one format per kind of array (positions, colours, normals, 32 texture
// coordinate sets), built on first use. An Element is the handle the render
// list and the surfaces draw through.
#include <array>
#include <cstdint>
#include <memory>

class VertexArrayObject;
class VertexArrayFormat;
struct MeshChunk;

struct RetainedModeData {
  static constexpr int kPosition = 0;
  static constexpr int kColor = 1;
  static constexpr int kNormal = 2;
  static constexpr int kFirstTexCoord = 3;
  static constexpr int kTexCoordSets = 32;
  static constexpr int kArrayKinds = kFirstTexCoord + kTexCoordSets;  // 35

  RetainedModeData();
  ~RetainedModeData();

  // The arrays a chunk is drawn from: positions; colours when the chunk has
  // them; the first two texture coordinate sets it has (no normals: the
  // surfaces do not light). Needs the current context the objects are made
  // for; a kind whose memory cannot be had stays empty.
  static std::unique_ptr<RetainedModeData> FromChunk(const MeshChunk& chunk);

  std::array<std::unique_ptr<VertexArrayObject>, kArrayKinds> arrays;
  std::array<std::unique_ptr<VertexArrayFormat>, kArrayKinds> formats;

  class Element {
   public:
    virtual ~Element() = default;
    // Each points one GL array at the chunk's data; bindTexCoords is false
    // (and binds nothing) for a set beyond the 32 there are, or one the
    // chunk does not have.
    virtual void bindVertices() const = 0;
    virtual void bindColors() const = 0;
    virtual bool bindTexCoords(int set) const = 0;
    virtual void bindNormals() const = 0;
    virtual void draw(std::int32_t flags) const = 0;

    float depth = 0.0f;
  };
};
