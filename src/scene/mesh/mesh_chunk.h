#pragma once
// A piece of a mesh small enough for 16-bit indices: its own copies of the
// vertex data of one surface, and a triangle list ordered for the vertex
// cache. The surfaces' elements draw chunks, and so do the materials,
// which see them as kst::ChunkGeometry.
#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "persist/stored_values.h"
#include "render/materials/chunk_geometry.h"
#include "render/mesh_channel.h"
#include "render/vector3.h"

struct MeshChunk final : kst::ChunkGeometry {
  struct Strip {
    std::vector<std::uint16_t> indices;
  };

  std::uint32_t vertexCount = 0;
  std::uint32_t triangleCount = 0;
  std::uint32_t texCoordSets = 0;
  std::vector<Vector3> positions;
  std::vector<Vector3> normals;        // empty when the mesh has none
  std::vector<kst::Rgba> colors;       // empty when the mesh has none
  std::vector<std::vector<kst::TexCoord>> texCoords;  // texCoordSets sets
  GLuint indexBuffer = 0;              // a GL object buffer of 32-bit indices; 0 when none
  std::vector<std::uint16_t> indices;  // triangleCount × 3
  persist::BoundingBox box;
  std::vector<Strip> strips;
  bool hasStrips = false;

  const Vector3* normalData() const { return normals.empty() ? nullptr : normals.data(); }
  const kst::Rgba* colorData() const { return colors.empty() ? nullptr : colors.data(); }

  kst::ChunkArrays Arrays() const override { return {vertexCount, positions, normalData(), colorData()}; }
  // Draws the chunk's triangles from the arrays already bound: the index
  // buffer (where the driver has the ATI element path), else the strips,
  // else the triangle list; adds to the device's frame counters when there
  // is a device. Does not lock the arrays.
  void DrawSubMesh() const override;
};
