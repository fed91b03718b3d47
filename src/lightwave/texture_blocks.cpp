// BLOK: image-map texture layers of a surface, their header (IMAP), their
// mapping (TMAP) and their placement by channel.
#include "lightwave/lw_error.h"
#include "lightwave/object_reader.h"
#include "base/log.h"

namespace LW {
namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;

Vector3 readVector(InputStream& in) {
  const float x = in.F4();
  const float y = in.F4();
  const float z = in.F4();
  return {x, y, z};
}

}  // namespace

void ObjectReader::readBlock() {
  kst::debugTrace("Surface Block...");
  layer_.reset();
  readSubChunks(Place::Block);
  if (layer_ && layer_->enabled) placeLayer();
  layer_.reset();
}

void ObjectReader::placeLayer() {
  Surface& surface = *surface_;
  switch (layer_->channel) {
    case MakeID("COLR"):
      if (surface.colorLayers.empty() && layer_->blendMode != 0)
        kst::log("** Warning: First color layer has to have 'Normal' Blending mode");
      if (surface.colorLayers.size() == 1 && layer_->blendMode != 3)
        kst::log("** Warning: Second color layer has to have 'Multiply' Blending mode");
      surface.colorLayers.push_back(std::move(layer_));
      break;
    case MakeID("DIFF"): surface.diffuseLayers.push_back(std::move(layer_)); break;
    case MakeID("TRAN"): surface.transparencyLayers.push_back(std::move(layer_)); break;
    default: kst::debugTrace("Unsupported texture type : %s", IdText(layer_->channel).c_str());
  }
}

bool ObjectReader::readBlockChunk(std::uint32_t id, Place place) {
  if (id == MakeID("IMAP") && place == Place::Block) {
    readImageMapHeader();
    return true;
  }
  if (id == MakeID("TMAP") && place == Place::Block) {
    kst::debugTrace("Mapping parameters...");
    readSubChunks(Place::TextureMapping);
    return true;
  }
  if (id == MakeID("AXIS") || id == MakeID("PROJ")) {
    const int value = in_.U2();
    if (!layer_) return true;
    if (id == MakeID("AXIS")) {
      layer_->axis = static_cast<std::uint8_t>(value + 1);
    } else if (value <= kCubic || value == kUV) {
      layer_->projection = value;
    } else {
      layer_->projection = kUnknownProjection;
      kst::debugTrace("Unknown projection method (%d) !", value);
    }
    return true;
  }
  if (!layer_) return false;
  switch (id) {
    case MakeID("CHAN"): layer_->channel = in_.ID4(), layer_->enabled = true; return true;
    case MakeID("ENAB"): layer_->enabled = in_.U2() != 0; return true;
    case MakeID("OPAC"): readOpacity(); return true;
  }
  if (place != Place::Block) return false;
  switch (id) {
    case MakeID("IMAG"): readImage(); return true;
    case MakeID("WRAP"): layer_->wrapWidth = in_.U2(), layer_->wrapHeight = in_.U2(); return true;
    case MakeID("VMAP"): readVertexMap(); return true;
    default: return false;
  }
}

void ObjectReader::readImageMapHeader() {
  const std::string ordinal = in_.S0();
  kst::debugTrace("Image map texture (%s)...", ordinal.c_str());
  layer_ = std::make_unique<TextureLayer>();
  readSubChunks(Place::TextureHeader);
}

void ObjectReader::readOpacity() {
  const int type = in_.U2();
  const float opacity = in_.F4();
  if (opacity != 1.0f) kst::log("** Warning: opacity different from 100%% is not supported.");
  layer_->blendMode = type;
}

void ObjectReader::readImage() {
  const std::uint32_t clip = in_.VX();
  auto found = object_.clips.find(clip);
  if (found == object_.clips.end()) return kst::debugTrace("IMAG: undefined clip %6.6X !", clip);
  layer_->imageName = found->second;
  kst::debugTrace("IMAG: image found : %s", layer_->imageName.c_str());
}

bool ObjectReader::readMappingChunk(std::uint32_t id) {
  switch (id) {
    case MakeID("CNTR"):
    case MakeID("SIZE"):
    case MakeID("ROTA"): {
      const Vector3 value = readVector(in_);
      if (!layer_) return true;
      if (id == MakeID("CNTR")) layer_->center = value;
      if (id == MakeID("SIZE")) layer_->size = value;
      // Heading, pitch, bank in radians to rotations about x, y, z in degrees.
      if (id == MakeID("ROTA"))
        layer_->rotation = {value.y * kDegreesPerRadian, -value.x * kDegreesPerRadian, -value.z * kDegreesPerRadian};
      return true;
    }
    case MakeID("CSYS"): {
      const int value = in_.U2();
      if (layer_) layer_->worldCoordinates = value == 1;
      return true;
    }
    default: return false;
  }
}

}  // namespace LW
