#include "lightwave/mesh_building.h"

#include <algorithm>
#include <array>
#include <optional>

#include "lightwave/lw_error.h"
#include "lightwave/object_file.h"
#include "lightwave/texture_projection.h"
#include "base/log.h"
#include "platform/data_files.h"

namespace LW {
namespace {

// Clamped to [0, 1], times 255, truncated; a value that is no number counts as 0.
std::uint8_t toByte(float value) {
  if (!(value > 0.0f)) return 0;
  return static_cast<std::uint8_t>(std::min(value, 1.0f) * 255.0f);
}

// The load's surface of a triangle's tag, or -1 when no PTAG gave it one.
int surfaceIndexOf(const Object& object, int tag) {
  if (tag < 0 || static_cast<std::size_t>(tag) >= object.tagSurfaces.size()) return -1;
  return object.tagSurfaces[tag].surfaceIndex;
}

const Surface* surfaceOf(const Object& object, const LoadContext& context, int tag) {
  const int index = surfaceIndexOf(object, tag);
  return index < 0 ? nullptr : context.surfaces[index].surface.get();
}

std::array<int, 3> cornersOf(const Triangle& t) { return {t.a, t.b, t.c}; }

std::vector<kst::Rgba> cornerColours(const Object& object, const LoadContext& context) {
  std::vector<kst::Rgba> colours(3 * object.triangles.size());
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    const Surface* surface = surfaceOf(object, context, object.triangles[t].tag);
    if (surface == nullptr || surface->colorMapName.empty()) continue;
    auto map = object.colorMaps.find(surface->colorMapName);
    if (map == object.colorMaps.end()) continue;
    const auto corners = cornersOf(object.triangles[t]);
    for (int k = 0; k < 3; ++k) {
      const RGBA* value = map->second.find(static_cast<std::uint32_t>(object.triangleSource[t]),
                                           static_cast<std::uint32_t>(corners[k]));
      if (value != nullptr) colours[3 * t + k] = {toByte((*value)[0]), toByte((*value)[1]), toByte((*value)[2]), toByte((*value)[3])};
    }
  }
  return colours;
}

Vector3 faceNormal(const Object& object, const Triangle& t) {
  const Vector3 p0 = object.points[t.a];
  return Cross(object.points[t.b] - p0, object.points[t.c] - p0);
}

void generate(const LayerProjection& projection, const Object& object, int t, Vector3 normal,
              std::vector<kst::TexCoord>& set) {
  const auto corners = cornersOf(object.triangles[t]);
  for (int k = 0; k < 3; ++k) set[3 * t + k] = projection(object, corners[k], t, normal);
}

// The projections of the layers that make a surface's coordinate sets.
struct SurfaceProjections {
  std::optional<LayerProjection> first, second;
  int count = 0;
};

std::vector<SurfaceProjections> surfaceProjections(const LoadContext& context) {
  std::vector<SurfaceProjections> projections(context.surfaces.size());
  for (std::size_t s = 0; s < context.surfaces.size(); ++s) {
    const LayerSets layers = TexCoordLayers(*context.surfaces[s].surface);
    if (layers.first != nullptr) projections[s].first.emplace(*layers.first);
    if (layers.second != nullptr) projections[s].second.emplace(*layers.second);
    projections[s].count = layers.count();
  }
  return projections;
}

}  // namespace

LayerSets TexCoordLayers(const Surface& surface) {
  LayerSets sets;
  if (surface.colorLayers.empty()) return sets;  // no first set, hence no second
  sets.first = surface.colorLayers[0].get();
  if (!surface.diffuseLayers.empty())
    sets.second = surface.diffuseLayers[0].get();
  else if (surface.colorLayers.size() > 1)
    sets.second = surface.colorLayers[1].get();
  return sets;
}

std::unique_ptr<kst::RobustMesh> BuildMesh(const Object& object, const LoadContext& context) {
  auto mesh = std::make_unique<kst::RobustMesh>();
  mesh->SetVertices(object.points);
  std::vector<std::uint32_t> indices;
  std::vector<std::int32_t> tags;
  indices.reserve(3 * object.triangles.size());
  tags.reserve(object.triangles.size());
  int surfaceCount = static_cast<int>(object.tags.size());
  for (const Triangle& t : object.triangles) {
    indices.insert(indices.end(), {static_cast<std::uint32_t>(t.a), static_cast<std::uint32_t>(t.b),
                                   static_cast<std::uint32_t>(t.c)});
    tags.push_back(t.tag);
    surfaceCount = std::max(surfaceCount, t.tag + 1);
  }
  mesh->SetTriangles(std::move(indices), std::move(tags), surfaceCount);
  mesh->SetCornerColours(cornerColours(object, context));

  const std::vector<SurfaceProjections> projections = surfaceProjections(context);
  int setCount = 0;
  for (const SurfaceProjections& p : projections) setCount = std::max(setCount, p.count);
  if (setCount == 0) return mesh;
  // Sets only as many as the triangles' surfaces use.
  std::array<std::vector<kst::TexCoord>, 2> sets;
  for (auto& set : sets) set.resize(3 * object.triangles.size());
  setCount = 0;
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    const int surface = surfaceIndexOf(object, object.triangles[t].tag);
    if (surface < 0 || projections[surface].count == 0) continue;
    const SurfaceProjections& layers = projections[surface];
    const Vector3 normal = faceNormal(object, object.triangles[t]);
    generate(*layers.first, object, static_cast<int>(t), normal, sets[0]);
    if (layers.second) generate(*layers.second, object, static_cast<int>(t), normal, sets[1]);
    setCount = std::max(setCount, layers.count);
  }
  for (int s = 0; s < setCount; ++s) mesh->AddCornerTexCoords(std::move(sets[s]));
  return mesh;
}

LoadedMesh LoadMeshWithRecord(const char* path, const char* searchDirectory) {
  LoadedMesh loaded;
  if (searchDirectory != nullptr) loaded.context.searchDirectories.push_back(searchDirectory);
  // Everything logged about the file stands indented below this line.
  kst::log("Reading file '%s'..", platform::shownName(path).c_str());
  LogIndentScope indent;
  auto object = ReadObject(ReadWholeFile(path, loaded.context), loaded.context);
  if (!object) return loaded;
  loaded.object = std::move(*object);
  loaded.mesh = BuildMesh(loaded.object, loaded.context);
  return loaded;
}

std::unique_ptr<kst::RobustMesh> LoadMesh(const char* path, const char* searchDirectory) {
  return LoadMeshWithRecord(path, searchDirectory).mesh;
}

}  // namespace LW
