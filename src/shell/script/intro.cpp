// Section 1: the emblem object spins in from afar three times, in three
// colours, over the sky backdrop; three filament strips scroll on the right.
#include "layers/bitmap_layers.h"
#include "layers/envelope_layers.h"
#include "layers/scene_layers.h"
#include "shell/script/script_tools.h"
#include "shell/script/sections.h"
#include "shell/script/show_materials.h"
#include "timeline/bitmap_events.h"
#include "timeline/scene_events.h"

namespace shell::script {
namespace {

constexpr const char* kSky = "demo\\backs\\1.jpg";
constexpr const char* kEmblem = "demo\\intro\\objet\\tsark.lwo";
constexpr const char* kFilaments[3] = {"demo\\fil1.png", "demo\\fil2.png", "demo\\fil3.png"};
constexpr float kSectionEnd = 15.5f;

kst::BrushMesh& emblemLayer(float duration, LitMaterial material) {
  auto& layer = newLayer<kst::BrushMesh>(0, duration);
  layer.meshName = kEmblem;
  layer.materials = {litMaterial(material)};
  return layer;
}

// The first pass comes from far away (distance factor 1 down to 0.1).
kst::BrushMesh& firstEmblem() {
  kst::BrushMesh& layer = emblemLayer(kSectionEnd, LitMaterial::M1);
  for (int size : {kst::Brush::kWidth, kst::Brush::kHeight})
    setKeys(layer.parameters[size], {{0.0f, 1.0f}, {1.0f, 1.0f}, {14.0f, 1.0f}, {14.5f, 0.0f}});
  setKeys(layer.rotationX, {{0.0f, 0.0f}, {2.0f, 110.0f}, {4.0f, 493.0f}}, kBehaviorLinear);
  setKeys(layer.rotationY, {{0.0f, 0.0f}, {2.0f, 124.0f}, {4.0f, 561.0f}}, kBehaviorLinear);
  setKeys(layer.distanceFactor, {{0.0f, 1.0f}, {3.0f, 1.0f}, {4.0f, 0.1f}});
  return layer;
}

// The later passes are close at once and grow from nothing; they shrink
// away again at `shrinkFrom` .. `goneAt`.
kst::BrushMesh& laterEmblem(float duration, float shrinkFrom, float goneAt, float spinX, float spinY,
                            LitMaterial material) {
  kst::BrushMesh& layer = emblemLayer(duration, material);
  for (int size : {kst::Brush::kWidth, kst::Brush::kHeight})
    setKeys(layer.parameters[size], {{0.0f, 0.0f}, {0.5f, 1.0f}, {shrinkFrom, 1.0f}, {goneAt, 0.0f}});
  setKeys(layer.rotationX, {{0.0f, 0.0f}, {3.0f, spinX}}, kBehaviorLinear);
  setKeys(layer.rotationY, {{0.0f, 0.0f}, {3.0f, spinY}}, kBehaviorLinear);
  setConstant(layer.distanceFactor, 0.1f);
  return layer;
}

// A strip on the right, swaying about x = 0.75 as `sway` says, scrolled
// by a value layer one bitmap height every quarter second.
void filament(const char* file, std::initializer_list<Key> sway) {
  auto& strip = newLayer<kst::SampleBrush>(2, kSectionEnd);
  strip.bitmapName = file;
  setKeys(strip.parameters[kst::Brush::kX], sway, kBehaviorOscillate);
  setConstant(strip.parameters[kst::Brush::kWidth], 0.05f);
  setConstant(strip.parameters[kst::Brush::kHeight], 2.0f);
  auto& scroll = newLayer<kst::BrushEnvelopeValue>(1, kSectionEnd, &strip.textureOffset);
  setKeys(scroll.value, {{0.0f, 0.0f}, {0.25f, 1.0f}}, kBehaviorLinear);
  activate(0.0f, strip);
  activate(0.0f, scroll);
}

}  // namespace

void buildIntro() {
  startSection(kSectionStarts[0]);
  loadObject(kEmblem, 1);
  auto& sky = newLayer<kst::BrushBackdrop>(0, kSectionEnd);
  sky.bitmapName = kSky;
  activate(0.0f, sky);
  activate(0.0f, firstEmblem());
  for (const char* file : kFilaments) new kst::EvtLoadBitmapAlpha(0.0f, file);
  filament(kFilaments[0], {{0.0f, 0.75f}, {0.25f, 0.9f}});
  filament(kFilaments[1], {{0.0f, 0.75f}, {0.27f, 0.71f}});
  filament(kFilaments[2], {{0.0f, 0.75f}});  // one key: it stays
  activate(4.5f, laterEmblem(11.0f, 10.0f, 10.4f, 573.0f, 601.0f, LitMaterial::M2));
  activate(7.5f, laterEmblem(8.0f, 5.8f, 6.2f, 753.0f, 666.0f, LitMaterial::M3));
  for (int i = 2; i >= 0; --i) new kst::EvtUnloadBitmap(kSectionEnd, kFilaments[i]);
  new kst::EvtUnloadMesh(kSectionEnd, kEmblem);
}

}  // namespace shell::script
