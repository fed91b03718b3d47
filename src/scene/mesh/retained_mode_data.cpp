#include "scene/mesh/retained_mode_data.h"

#include <algorithm>

#include "scene/mesh/mesh_chunk.h"
#include "scene/mesh/vertex_array_object.h"

namespace {

// Texture coordinate sets a chunk hands to GL: the surfaces use two at most.
constexpr std::uint32_t kRetainedTexCoordSets = 2;

void addArray(RetainedModeData& data, int kind, const void* values, std::uint32_t bytes, GLenum array,
              GLint components, GLenum type) {
  std::unique_ptr<VertexArrayObject> object = createVertexArrayObject(bytes);
  if (object == nullptr) return;
  object->upload(0, bytes, values);
  auto format = std::make_unique<VertexArrayFormat>();
  format->add(array, components, type);
  data.arrays[kind] = std::move(object);
  data.formats[kind] = std::move(format);
}

}  // namespace

RetainedModeData::RetainedModeData() = default;
RetainedModeData::~RetainedModeData() = default;

std::unique_ptr<RetainedModeData> RetainedModeData::FromChunk(const MeshChunk& chunk) {
  auto data = std::make_unique<RetainedModeData>();
  const std::uint32_t vertices = chunk.vertexCount;
  addArray(*data, kPosition, chunk.positions.data(), vertices * 12, GL_VERTEX_ARRAY, 3, GL_FLOAT);
  if (chunk.colorData() != nullptr)
    addArray(*data, kColor, chunk.colorData(), vertices * 4, GL_COLOR_ARRAY, 4, GL_UNSIGNED_BYTE);
  const std::uint32_t sets = std::min({chunk.texCoordSets, kRetainedTexCoordSets,
                                       static_cast<std::uint32_t>(chunk.texCoords.size())});
  for (std::uint32_t set = 0; set < sets; ++set)
    addArray(*data, kFirstTexCoord + static_cast<int>(set), chunk.texCoords[set].data(), vertices * 8,
             GL_TEXTURE_COORD_ARRAY, 2, GL_FLOAT);
  return data;
}
