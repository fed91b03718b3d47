#pragma once
// The drawable mesh: a source robust mesh cut per surface into chunks of at
// most 999 triangles (a larger piece is cut across the longest axis of its
// box at the mean vertex coordinate, and its halves again, until they fit),
// each ordered for the vertex cache; the GL-side data of a chunk is built
// the first time it is drawn.
//
// Building happens on the thread that loads the mesh; drawing, and the GL
// data it builds, on the main thread.
#include <cstdint>
#include <memory>
#include <vector>

#include "render/robust_mesh.h"
#include "scene/mesh/mesh_chunk.h"
#include "scene/mesh/primitive.h"
#include "scene/mesh/retained_mode_data.h"

class MeshPrimitive : public Primitive {
 public:
  static constexpr const char storedName[] = "class MeshPrimitive";
  static constexpr std::uint32_t kMaxChunkTriangles = 999;

  struct Chunk {
    std::uint32_t subMesh = 0;
    std::unique_ptr<MeshChunk> geometry;
  };

  // Draws one chunk: binds its arrays and draws its triangles.
  class RenderSubMesh : public RetainedModeData::Element {
   public:
    RenderSubMesh(MeshPrimitive& mesh, std::uint32_t chunk) : mesh(&mesh), chunk(chunk) {}
    void bindVertices() const override;
    void bindColors() const override;
    bool bindTexCoords(int set) const override;
    void bindNormals() const override;
    // Locks the arrays where the driver can, then draws the chunk.
    void draw(std::int32_t flags) const override;

    MeshPrimitive* mesh;
    std::uint32_t chunk;
  };

  MeshPrimitive();
  ~MeshPrimitive() override;

  // The sub-meshes, then the source as a record of its own. Reading builds
  // the chunks from the source (without rebuilding the source).
  void serialize(persistent_store& store, bool writing) override;

  // Adds a draw record for every chunk whose box the camera can see, with
  // the surface index of its sub-mesh; adds nothing while the surface
  // indices are not resolved (fewer than the sub-meshes).
  void render(Camera& camera, const Matrix44& worldMatrix, RenderList& renderList, std::int32_t flags) override;

  // Cuts the source into chunks, replacing the sub-mesh boxes, the chunks
  // and their GL-side data; with rebuildSource, first runs the source's
  // Build with `buildFlags`. Without a source nothing changes.
  virtual void build(bool rebuildSource, unsigned buildFlags);

  // The chunk's GL-side arrays, built on first call (needs a current context).
  RetainedModeData& retainedData(std::uint32_t chunk);

  // Unique per mesh made in this process: a layer that keeps a mesh across
  // frames tells a mesh unloaded and replaced at the same address by it.
  const std::uint64_t serial;

  std::unique_ptr<kst::RobustMesh> source;
  std::vector<Chunk> chunks;
  std::vector<std::unique_ptr<RetainedModeData>> retained;  // one per chunk, null until built
  std::vector<std::unique_ptr<RenderSubMesh>> elements;      // one per chunk
};
