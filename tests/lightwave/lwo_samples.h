#pragma once
// Helpers of the LightWave tests: the real GLU tessellator behind the GL
// table, and loads of objects made in memory with the IFF and LWO2 writers.
#include <optional>
#include <string>
#include <vector>

#include "lightwave/iff_writer.h"
#include "lightwave/lw_error.h"
#include "lightwave/lw_object.h"
#include "lightwave/lwo_writer.h"
#include "lightwave/mesh_building.h"
#include "lightwave/object_file.h"
#include "platform/modules.h"
#include "render/gl_table.h"
#include "support/fake_host.h"

namespace lwtest {

// Loads the system's libGLU into the table once for the test program.
inline void useRealGlu() {
  static fake::FakeHost* host = [] {
    auto* h = new fake::FakeHost;
    h->loader = new platform::DlModuleLoader;
    platform::setHost(h);
    LoadGLLibraries();
    return h;
  }();
  (void)host;
}

struct Loaded {
  LW::LoadContext context;
  std::optional<LW::Object> object;
  std::string error;  // the LoadError's message, empty when the load went through
};

inline Loaded read(std::vector<std::uint8_t> bytes) {
  useRealGlu();
  Loaded loaded;
  try {
    loaded.object = LW::ReadObject(std::move(bytes), loaded.context);
  } catch (const LW::LoadError& error) {
    loaded.error = error.what();
  }
  return loaded;
}

inline Loaded read(const LW::ObjectDescription& object) { return read(LW::WriteLwo2(object)); }

// A form holding one layer, the given points and one POLS chunk written by
// `polygons`.
template <typename WritePolygons>
std::vector<std::uint8_t> pointsAndPolygons(const std::vector<Vector3>& points, WritePolygons polygons) {
  LW::IffWriter out;
  out.beginChunk("LAYR");
  out.U2(0);
  out.U2(0);
  for (int i = 0; i < 3; ++i) out.F4(0.0f);
  out.S0("");
  out.end();
  out.beginChunk("PNTS");
  for (const Vector3& p : points)
    for (int i = 0; i < 3; ++i) out.F4(p[i]);
  out.end();
  out.beginChunk("POLS");
  out.ID4("FACE");
  polygons(out);
  out.end();
  return out.bytes();
}

// One polygon per list, count word without flags.
inline void writePolygons(LW::IffWriter& out, const std::vector<std::vector<std::uint32_t>>& polygons) {
  for (const auto& polygon : polygons) {
    out.U2(static_cast<std::uint16_t>(polygon.size()));
    for (std::uint32_t index : polygon) out.VX(index);
  }
}

// A unit square of two triangles in the plane z = 0 with one surface.
inline LW::ObjectDescription square() {
  LW::ObjectDescription object;
  object.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  object.polygons = {{{0, 1, 2}, 0}, {{0, 2, 3}, 0}};
  object.surfaces = {{.name = "Skin"}};
  return object;
}

}  // namespace lwtest
