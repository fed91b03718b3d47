#pragma once
// Writes LWO2 objects: one layer of points and polygons, polygon tags with
// their surfaces (colour, sidedness, vertex colours, image-map blocks),
// still-image clips, and UV and colour vertex maps with per-polygon overrides.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/vector3.h"

namespace LW {

struct ImageMapDescription {
  std::string channel = "COLR";  // COLR, DIFF, TRAN, ...
  int projection = 0;            // 0 planar, 1 cylindrical, 2 spherical, 3 cubic, 5 UV
  int axis = 2;                  // the file's value: 0 X, 1 Y, 2 Z
  Vector3 size{1.0f, 1.0f, 1.0f};
  Vector3 center{};
  Vector3 rotation{};            // heading, pitch, bank in radians
  std::uint32_t clip = 0;        // 0: no image
  std::string uvMap{};           // for the UV projection
  std::uint16_t blendMode = 0;
  float opacity = 1.0f;
  bool enabled = true;
};

struct SurfaceDescription {
  std::string name{};
  std::array<float, 3> color{0.8f, 0.8f, 0.8f};
  std::uint16_t sidedness = 1;
  std::string colorMap{};  // VCOL: the RGB or RGBA map giving vertex colours
  std::vector<ImageMapDescription> imageMaps{};
};

struct PolygonDescription {
  std::vector<std::uint32_t> points;
  std::uint16_t tag = 0;  // index into the tags (surface names)
};

template <int Dimension>
struct VertexMapDescription {
  struct Corner {
    std::uint32_t point;
    std::uint32_t polygon;
    std::array<float, Dimension> value;
  };
  std::string name;
  std::map<std::uint32_t, std::array<float, Dimension>> values;  // by point
  std::vector<Corner> overrides;                                 // VMAD
};

struct ObjectDescription {
  int layers = 1;
  std::vector<Vector3> points;
  std::vector<PolygonDescription> polygons;
  std::vector<SurfaceDescription> surfaces;  // their names are the tags, in order
  std::map<std::uint32_t, std::string> clips;
  std::vector<VertexMapDescription<2>> uvMaps;
  std::vector<VertexMapDescription<3>> rgbMaps;
  std::vector<VertexMapDescription<4>> rgbaMaps;
};

std::vector<std::uint8_t> WriteLwo2(const ObjectDescription& object);
// False when the file cannot be written.
bool SaveLwo2(const std::string& path, const ObjectDescription& object);

}  // namespace LW
