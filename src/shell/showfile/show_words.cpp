#include "shell/showfile/show_words.h"

#include <GL/gl.h>

#include "layers/bitmap_layers.h"
#include "render/robust_mesh.h"

namespace shell::showfile {

std::span<const Word<LayerKind>> layerKinds() {
  static constexpr Word<LayerKind> kWords[] = {
      {"backdrop", LayerKind::Backdrop}, {"frontdrop", LayerKind::Frontdrop},
      {"bitmap", LayerKind::Bitmap},     {"strip", LayerKind::Strip},
      {"stencil", LayerKind::Stencil},   {"flat", LayerKind::Flat},
      {"scene", LayerKind::Scene},       {"mesh", LayerKind::Mesh},
      {"mesh-in-scene", LayerKind::MeshInScene}, {"value", LayerKind::Value},
      {"zoom", LayerKind::Zoom},         {"shadows", LayerKind::Shadows},
  };
  return kWords;
}

std::span<const Word<std::int32_t>> behaviours() {
  static constexpr Word<std::int32_t> kWords[] = {
      {"constant", kBehaviorConstant}, {"reset", kBehaviorReset},   {"repeat", kBehaviorRepeat},
      {"oscillate", kBehaviorOscillate}, {"offset", kBehaviorOffset}, {"linear", kBehaviorLinear},
  };
  return kWords;
}

// Hermite and Bezier spans need tangents a key of the file does not hold.
std::span<const Word<std::int32_t>> shapes() {
  static constexpr Word<std::int32_t> kWords[] = {
      {"tcb", kShapeTCB}, {"linear", kShapeLinear}, {"stepped", kShapeStepped}};
  return kWords;
}

std::span<const Word<Action>> actions() {
  static constexpr Word<Action> kWords[] = {
      {"load-picture", Action::LoadPicture},   {"load-mask", Action::LoadMask},
      {"unload-picture", Action::UnloadPicture}, {"unload-object", Action::UnloadObject},
      {"load-scene", Action::LoadScene},       {"unload-scene", Action::UnloadScene},
      {"play-tune", Action::PlayTune},         {"show", Action::Show},
      {"hide", Action::Hide},
  };
  return kWords;
}

std::span<const Word<std::uint32_t>> stencilFunctions() {
  static constexpr Word<std::uint32_t> kWords[] = {
      {"always", GL_ALWAYS}, {"never", GL_NEVER},           {"equal", GL_EQUAL},
      {"not-equal", GL_NOTEQUAL}, {"less", GL_LESS},        {"less-or-equal", GL_LEQUAL},
      {"greater", GL_GREATER}, {"greater-or-equal", GL_GEQUAL},
  };
  return kWords;
}

std::span<const Word<std::int32_t>> horizontalAnchors() {
  static constexpr Word<std::int32_t> kWords[] = {
      {"left", kst::BitmapBrush::kLeft}, {"centre", kst::BitmapBrush::kCentre}, {"right", kst::BitmapBrush::kRight}};
  return kWords;
}

std::span<const Word<std::int32_t>> verticalAnchors() {
  static constexpr Word<std::int32_t> kWords[] = {
      {"top", kst::BitmapBrush::kTop}, {"middle", kst::BitmapBrush::kMiddle}, {"bottom", kst::BitmapBrush::kBottom}};
  return kWords;
}

std::span<const Word<int>> buildFlags() {
  static constexpr Word<int> kWords[] = {
      {"normals", kst::RobustMesh::kBuildNormals},
      {"edges", kst::RobustMesh::kBuildTopology},
      {"face-normals", kst::RobustMesh::kKeepFaceNormals},
      {"unused-vertices", kst::RobustMesh::kKeepUnusedVertices},
  };
  return kWords;
}

std::string aLayerOf(LayerKind kind) {
  const char* word = wordFor(layerKinds(), kind);
  const bool vowel = std::string_view("aeiou").find(word[0]) != std::string_view::npos;
  return std::string(vowel ? "an " : "a ") + word + " layer";
}

}  // namespace shell::showfile
