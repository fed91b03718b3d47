#include "lightwave/object_reader.h"

#include "lightwave/lw_error.h"
#include "base/log.h"

namespace LW {

ObjectReader::ObjectReader(InputStream& in, Object& object, LoadContext& context)
    : in_(in), object_(object), context_(context) {}

void ObjectReader::readForm(std::uint32_t formLength) {
  // The counter starts after the form type; no pad byte follows an odd length.
  std::uint64_t counter = 4;
  while (counter < formLength) {
    layer_.reset();
    const std::uint32_t id = in_.ID4();
    const std::uint32_t length = in_.U4();
    readChunk(id, length, Place::Top);
    counter += std::uint64_t{length} + 8;
  }
}

bool ObjectReader::readChunk(std::uint32_t id, std::uint32_t length, Place place) {
  ChunkSpan span(in_, length);
  bool known = false;
  switch (place) {
    case Place::Top: known = readTopChunk(id, length); break;
    case Place::Clip:
      if (id == MakeID("STIL")) {
        clip_.fileName = in_.S0();
        kst::debugTrace("Still image : %s", clip_.fileName.c_str());
        known = true;
      }
      break;
    case Place::Surface: known = readSurfaceChunk(id); break;
    case Place::Block:
    case Place::TextureHeader: known = readBlockChunk(id, place); break;
    case Place::TextureMapping: known = readMappingChunk(id); break;
  }
  if (!known) kst::debugTrace("Unknown hunk: %s", IdText(id).c_str());
  return known;
}

void ObjectReader::readSubChunks(Place place) {
  while (!in_.atBound()) {
    const std::uint32_t id = in_.ID4();
    const std::uint16_t length = in_.U2();
    readChunk(id, length, place);
  }
}

bool ObjectReader::readTopChunk(std::uint32_t id, std::uint32_t length) {
  switch (id) {
    case MakeID("TAGS"): readTags(length); return true;
    case MakeID("LAYR"): readLayer(); return true;
    case MakeID("PNTS"): readPoints(length); return true;
    case MakeID("VMAP"): readVertexMap(); return true;
    case MakeID("VMAD"): readDiscontinuousMap(); return true;
    case MakeID("POLS"): readPolygons(); return true;
    case MakeID("PTAG"): readPolygonTags(); return true;
    case MakeID("CLIP"): readClip(); return true;
    case MakeID("SURF"): readSurface(); return true;
    default: return false;
  }
}

void ObjectReader::readTags(std::uint32_t) {
  kst::debugTrace("TAGS...");
  LogIndentScope indent;
  object_.tags.clear();
  while (!in_.atBound()) object_.tags.push_back(in_.S0());
}

void ObjectReader::readLayer() {
  if (object_.layerCount != 0) Fatal("Objects with multiple layers are not yet supported.");
  ++object_.layerCount;
}

void ObjectReader::readPoints(std::uint32_t length) {
  const std::size_t count = length / 12;
  object_.points.reserve(object_.points.size() + count);
  for (std::size_t i = 0; i < count; ++i) {
    const float x = in_.F4();
    const float y = in_.F4();
    const float z = in_.F4();
    object_.points.push_back({x, y, z});
  }
  kst::debugTrace("%d points.", static_cast<int>(object_.points.size()));
}

void ObjectReader::readClip() {
  clip_ = Clip{in_.U4(), ""};
  kst::debugTrace("Image clip %6.6X...", clip_.index);
  readSubChunks(Place::Clip);
  if (!clip_.fileName.empty()) object_.clips[clip_.index] = clip_.fileName;
}

}  // namespace LW
