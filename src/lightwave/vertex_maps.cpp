// VMAP and VMAD: per-point UV and colour maps and their per-polygon
// overrides. A record naming a point the object does not have is skipped.
#include "lightwave/lw_error.h"
#include "lightwave/object_reader.h"
#include "base/log.h"

namespace LW {
namespace {

constexpr RGBA kWhite{1.0f, 1.0f, 1.0f, 1.0f};

// The map of that name, created when missing; its per-point values follow
// the current point count.
template <typename Map, typename Value>
Map& findOrCreate(std::map<std::string, Map>& maps, const std::string& name, std::size_t pointCount, Value fill) {
  Map& map = maps[name];
  map.name = name;
  map.values.resize(pointCount, fill);
  return map;
}

template <typename Value>
Value readFloats(InputStream& in, int count, Value value) {
  for (int i = 0; i < count; ++i) value[i] = in.F4();
  return value;
}

// The VMAP records to the chunk end: VX point, `dimension` floats (the rest
// of the value as `fill` has it); points outside the map are skipped.
template <typename Map, typename Value>
void readValues(InputStream& in, Map& map, int dimension, Value fill) {
  while (!in.atBound()) {
    const std::uint32_t point = in.VX();
    const Value value = readFloats(in, dimension, fill);
    if (point < map.values.size()) map.values[point] = value;
  }
}

// A fresh override table for `map`, filled with the VMAD records to the
// chunk end: VX point, VX polygon, `dimension` floats; records naming a
// point the object does not have are skipped.
template <typename Map, typename Value>
void readOverrides(InputStream& in, Map& map, int dimension, std::size_t pointCount, Value fill) {
  map.overrides = std::make_unique<std::map<PolygonPoint, Value>>();
  while (!in.atBound()) {
    const std::uint32_t point = in.VX();
    const std::uint32_t polygon = in.VX();
    const Value value = readFloats(in, dimension, fill);
    if (point < pointCount) map.overrides->insert({{polygon, point}, value});
  }
}

}  // namespace

void ObjectReader::readVertexMap() {
  if (layer_) {  // inside an image-map block: the layer's UV map
    layer_->uvMapName = in_.S0();
    kst::debugTrace("Using VMAP : %s", layer_->uvMapName.c_str());
    return;
  }
  const std::uint32_t type = in_.ID4();
  const int dimension = in_.U2();
  const std::string name = in_.S0();
  const std::size_t pointCount = object_.points.size();
  if (type == MakeID("TXUV")) {
    if (dimension != 2) return kst::debugTrace("Too much (%d) dimensions in TXUV.", dimension);
    kst::debugTrace("Texture UV VMap : %s", name.c_str());
    readValues(in_, findOrCreate(object_.uvMaps, name, pointCount, UV{0.0f, 0.0f}), 2, UV{});
  } else if (type == MakeID("RGB ") || type == MakeID("RGBA")) {
    const bool alpha = type == MakeID("RGBA");
    if (dimension != (alpha ? 4 : 3))
      return kst::debugTrace(alpha ? "Too much (%d) dimensions in RGBA." : "Too much (%d) dimensions in RGB.",
                             dimension);
    kst::debugTrace(alpha ? "RGBA VMap : %s" : "RGB VMap : %s", name.c_str());
    readValues(in_, findOrCreate(object_.colorMaps, name, pointCount, kWhite), dimension, kWhite);
  } else {
    kst::debugTrace("Unknown VMAP type : %s", IdText(type).c_str());
  }
}

void ObjectReader::readDiscontinuousMap() {
  const std::uint32_t type = in_.ID4();
  const int dimension = in_.U2();
  const std::string name = in_.S0();
  kst::debugTrace("VMAD : %s", name.c_str());
  if (type == MakeID("TXUV")) {
    if (dimension != 2) return kst::debugTrace("Too much (%d) dimensions in TXUV.", dimension);
    UVMap& map = findOrCreate(object_.uvMaps, name, object_.points.size(), UV{0.0f, 0.0f});
    readOverrides(in_, map, 2, object_.points.size(), UV{});
  } else if (type == MakeID("RGBA")) {
    if (dimension != 4) return kst::debugTrace("Wrong (%d) dimensions in RGBA.", dimension);
    auto found = object_.colorMaps.find(name);
    if (found == object_.colorMaps.end()) return kst::debugTrace("VMAD: no VMAP named '%s' !", name.c_str());
    readOverrides(in_, found->second, 4, object_.points.size(), RGBA{});
  } else {
    kst::debugTrace("Unknown VMAD type : %s", IdText(type).c_str());
  }
}

}  // namespace LW
