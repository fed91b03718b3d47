// SURF and its sub-chunks: the surface's values and its vertex colours.
#include <cmath>

#include "lightwave/lw_error.h"
#include "lightwave/object_reader.h"
#include "base/log.h"

namespace LW {
namespace {

// The surface values that are one F4 (an envelope index may follow).
float* surfaceValue(Surface& surface, std::uint32_t id) {
  switch (id) {
    case MakeID("DIFF"): return &surface.diffuse;
    case MakeID("LUMI"): return &surface.luminosity;
    case MakeID("SPEC"): return &surface.specular;
    case MakeID("REFL"): return &surface.reflection;
    case MakeID("TRAN"): return &surface.transparency;
    case MakeID("TRNL"): return &surface.translucency;
    case MakeID("SHRP"): return &surface.sharpness;
    case MakeID("BUMP"): return &surface.bump;
    case MakeID("ADTR"): return &surface.additiveTransparency;
    case MakeID("SMAN"): return &surface.smoothingAngle;
    default: return nullptr;
  }
}

}  // namespace

void ObjectReader::readSurface() {
  const std::string name = in_.S0();
  const std::string source = in_.S0();
  const std::string fullName = object_.name + "::" + name;
  kst::log("Surface : %s ( source : %s)", fullName.c_str(), source.c_str());
  LogIndentScope indent;
  const int index = context_.find(fullName);
  if (index < 0) return kst::debugTrace("  UNTAGGED !! skipping...");
  surface_ = context_.surfaces[index].surface.get();
  readSubChunks(Place::Surface);
}

bool ObjectReader::readSurfaceChunk(std::uint32_t id) {
  Surface& surface = *surface_;
  if (float* value = surfaceValue(surface, id)) {
    *value = in_.F4();
    return true;
  }
  switch (id) {
    case MakeID("COLR"):
      for (float& channel : surface.color) channel = in_.F4();
      return true;
    case MakeID("GLOS"): surface.glossiness = GlossinessExponent(in_.F4()); return true;
    case MakeID("SIDE"): surface.sidedness = in_.U2(); return true;
    case MakeID("RFOP"): surface.reflectionOptions = in_.U2(); return true;
    case MakeID("VCOL"): readVertexColours(); return true;
    case MakeID("BLOK"): readBlock(); return true;
    default: return false;
  }
}

void ObjectReader::readVertexColours() {
  const float intensity = in_.F4();
  in_.VX();  // envelope
  const std::uint32_t type = in_.ID4();
  const std::string name = in_.S0();
  kst::debugTrace("VCOL : %2.1f%% [%s][%s]", intensity * 100.0, IdText(type).c_str(), name.c_str());
  if (type == MakeID("RGBA") || type == MakeID("RGB ")) {
    if (object_.colorMaps.contains(name))
      surface_->colorMapName = name;
    else
      kst::log("** [WARNING] unknown color vmap : \"%s\"", name.c_str());
  } else {
    kst::log("Unsupported color vmap type : %s", IdText(type).c_str());
  }
  if (intensity != 1.0f) kst::log("** [WARNING] color vmap intensity was %2.1f%% is forced to 100%%", intensity * 100.0);
}

}  // namespace LW
