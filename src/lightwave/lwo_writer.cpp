#include "lightwave/lwo_writer.h"

#include <fstream>
#include <span>

#include "lightwave/iff_writer.h"

namespace LW {
namespace {

void writeFloats(IffWriter& out, std::span<const float> values) {
  for (float value : values) out.F4(value);
}

void writeVector(IffWriter& out, Vector3 v) { writeFloats(out, std::span<const float>(v.data(), 3)); }

template <int Dimension>
void writeVertexMap(IffWriter& out, const char* type, const VertexMapDescription<Dimension>& map) {
  out.beginChunk("VMAP");
  out.ID4(type);
  out.U2(Dimension);
  out.S0(map.name);
  for (const auto& [point, value] : map.values) {
    out.VX(point);
    writeFloats(out, value);
  }
  out.end();
  if (map.overrides.empty()) return;
  out.beginChunk("VMAD");
  out.ID4(type);
  out.U2(Dimension);
  out.S0(map.name);
  for (const auto& corner : map.overrides) {
    out.VX(corner.point);
    out.VX(corner.polygon);
    writeFloats(out, corner.value);
  }
  out.end();
}

void writeGeometry(IffWriter& out, const ObjectDescription& object) {
  out.beginChunk("TAGS");
  for (const auto& surface : object.surfaces) out.S0(surface.name);
  out.end();
  for (int layer = 0; layer < object.layers; ++layer) {
    out.beginChunk("LAYR");
    out.U2(static_cast<std::uint16_t>(layer));
    out.U2(0);
    writeVector(out, {});
    out.S0("");
    out.end();
  }
  out.beginChunk("PNTS");
  for (const Vector3& p : object.points) writeVector(out, p);
  out.end();
  for (const auto& map : object.uvMaps) writeVertexMap(out, "TXUV", map);
  for (const auto& map : object.rgbMaps) writeVertexMap(out, "RGB ", map);
  for (const auto& map : object.rgbaMaps) writeVertexMap(out, "RGBA", map);
  out.beginChunk("POLS");
  out.ID4("FACE");
  for (const auto& polygon : object.polygons) {
    out.U2(static_cast<std::uint16_t>(polygon.points.size() & 0x03FF));
    for (std::uint32_t point : polygon.points) out.VX(point);
  }
  out.end();
  out.beginChunk("PTAG");
  out.ID4("SURF");
  for (std::size_t i = 0; i < object.polygons.size(); ++i) {
    out.VX(static_cast<std::uint32_t>(i));
    out.U2(object.polygons[i].tag);
  }
  out.end();
}

void writeClips(IffWriter& out, const ObjectDescription& object) {
  for (const auto& [index, fileName] : object.clips) {
    out.beginChunk("CLIP");
    out.U4(index);
    out.beginSubChunk("STIL");
    out.S0(fileName);
    out.end();
    out.end();
  }
}

void writeImageMap(IffWriter& out, const ImageMapDescription& map, int ordinal) {
  out.beginSubChunk("BLOK");
  out.beginSubChunk("IMAP");
  out.S0(std::string(1, static_cast<char>(0x80 + ordinal)));
  out.beginSubChunk("CHAN");
  out.ID4(map.channel);
  out.end();
  out.beginSubChunk("ENAB");
  out.U2(map.enabled ? 1 : 0);
  out.end();
  out.beginSubChunk("OPAC");
  out.U2(map.blendMode);
  out.F4(map.opacity);
  out.VX(0);
  out.end();
  out.end();  // IMAP
  out.beginSubChunk("TMAP");
  const std::pair<const char*, Vector3> vectors[] = {{"CNTR", map.center}, {"SIZE", map.size}, {"ROTA", map.rotation}};
  for (const auto& [id, value] : vectors) {
    out.beginSubChunk(id);
    writeVector(out, value);
    out.VX(0);
    out.end();
  }
  out.end();  // TMAP
  const std::pair<const char*, int> words[] = {{"PROJ", map.projection}, {"AXIS", map.axis}};
  for (const auto& [id, value] : words) {
    out.beginSubChunk(id);
    out.U2(static_cast<std::uint16_t>(value));
    out.end();
  }
  if (map.clip != 0) {
    out.beginSubChunk("IMAG");
    out.VX(map.clip);
    out.end();
  }
  if (!map.uvMap.empty()) {
    out.beginSubChunk("VMAP");
    out.S0(map.uvMap);
    out.end();
  }
  out.end();  // BLOK
}

void writeSurface(IffWriter& out, const SurfaceDescription& surface) {
  out.beginChunk("SURF");
  out.S0(surface.name);
  out.S0("");
  out.beginSubChunk("COLR");
  writeFloats(out, surface.color);
  out.VX(0);
  out.end();
  out.beginSubChunk("SIDE");
  out.U2(surface.sidedness);
  out.end();
  if (!surface.colorMap.empty()) {
    out.beginSubChunk("VCOL");
    out.F4(1.0f);
    out.VX(0);
    out.ID4("RGBA");
    out.S0(surface.colorMap);
    out.end();
  }
  for (std::size_t i = 0; i < surface.imageMaps.size(); ++i) writeImageMap(out, surface.imageMaps[i], static_cast<int>(i));
  out.end();
}

}  // namespace

std::vector<std::uint8_t> WriteLwo2(const ObjectDescription& object) {
  IffWriter out("LWO2");
  writeGeometry(out, object);
  writeClips(out, object);
  for (const auto& surface : object.surfaces) writeSurface(out, surface);
  return out.bytes();
}

bool SaveLwo2(const std::string& path, const ObjectDescription& object) {
  const std::vector<std::uint8_t> bytes = WriteLwo2(object);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace LW
