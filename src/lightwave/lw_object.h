#pragma once
// The record one LWO2 file is read into: points, triangles with their source
// polygons and surface tags, vertex maps and clips. Surfaces live in the load
// context, which several files read in one load may share.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "lightwave/lw_surface.h"
#include "render/vector3.h"

namespace LW {

struct Triangle {
  int a = 0, b = 0, c = 0;
  int tag = 0;
};

struct TagSurface {
  int surfaceIndex = 0;
  bool used = false;
};

using PolygonPoint = std::pair<std::uint32_t, std::uint32_t>;  // (polygon, point)
using UV = std::array<float, 2>;
using RGBA = std::array<float, 4>;

// A per-point vertex map with its optional per-polygon overrides (VMAD).
template <typename Value>
struct VertexMap {
  std::string name;
  std::vector<Value> values;
  std::unique_ptr<std::map<PolygonPoint, Value>> overrides;

  // The override for the corner if there is one, else the point's value;
  // null for a point the map does not cover.
  const Value* find(std::uint32_t polygon, std::uint32_t point) const {
    if (overrides) {
      auto found = overrides->find({polygon, point});
      if (found != overrides->end()) return &found->second;
    }
    return point < values.size() ? &values[point] : nullptr;
  }
};

// Source polygon → triangle entries, several per polygon, -1 for a polygon
// that gave none; entries of one polygon keep the order they were added in.
// Polygons arrive in ascending order within a POLS chunk, so the entries
// stay sorted (sorted again, stably, only after a second POLS chunk restarted
// the numbering) and a lookup goes through a table of each polygon's first
// entry, rebuilt after additions.
class PolygonTriangles {
 public:
  using Entry = std::pair<int, int>;
  void add(int polygon, int triangle) {
    sorted_ = sorted_ && (entries_.empty() || entries_.back().first <= polygon);
    indexed_ = false;
    entries_.emplace_back(polygon, triangle);
  }
  // The entries of `polygon` (second: triangle or -1), valid until the next add.
  std::span<const Entry> of(int polygon) const;
  std::size_t size() const { return entries_.size(); }

 private:
  mutable std::vector<Entry> entries_;
  mutable std::vector<std::uint32_t> firstEntry_;  // by polygon, one past the last polygon too
  mutable bool sorted_ = true;
  mutable bool indexed_ = false;
};

struct UVMap : VertexMap<UV> {};
struct ColorMap : VertexMap<RGBA> {};

struct Object {
  std::string name;
  std::vector<Vector3> points;
  std::vector<Triangle> triangles;
  std::vector<TagSurface> tagSurfaces;
  std::map<std::uint32_t, std::string> clips;
  std::map<std::string, UVMap> uvMaps;
  std::map<std::string, ColorMap> colorMaps;
  PolygonTriangles polygonTriangles;
  std::vector<int> triangleSource;
  std::vector<std::string> tags;
  int layerCount = 0;
};

// Surfaces and search directories of one load.
struct LoadContext {
  struct SurfaceEntry {
    std::unique_ptr<Surface> surface;
    bool used = false;
  };
  std::vector<std::string> searchDirectories;
  std::vector<std::string> surfaceNames;
  std::vector<SurfaceEntry> surfaces;

  // Index of the surface called `fullName`, or -1.
  int find(const std::string& fullName) const;
};

}  // namespace LW
