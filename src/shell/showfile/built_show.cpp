#include "shell/showfile/built_show.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <typeinfo>

#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "layers/envelope_layers.h"
#include "layers/scene_layers.h"
#include "render/materials/mat_lit.h"
#include "render/materials/mat_volumetric.h"
#include "shell/layer_resources.h"
#include "shell/show_script.h"
#include "shell/showfile/show_words.h"
#include "timeline/bitmap_events.h"
#include "timeline/brush_events.h"
#include "timeline/music_events.h"
#include "timeline/scene_events.h"
#include "timeline/value_events.h"

namespace shell::showfile {
namespace {

[[noreturn]] void cannotSay(const std::string& what) { throw std::runtime_error("a show file cannot say " + what); }

std::optional<Curve> curveOf(const Envelope& envelope, float usualDefault) {
  if (envelope.keyCount() == 0) {
    if (envelope.defaultValue != usualDefault) cannotSay("an envelope without keys but with a value of its own");
    return std::nullopt;
  }
  Curve curve{.shape = envelope.keys()->shape, .before = envelope.preBehavior, .after = envelope.postBehavior};
  if (!wordFor(shapes(), curve.shape) || !wordFor(behaviours(), curve.before) || !wordFor(behaviours(), curve.after))
    cannotSay("this envelope's shape or behaviour");
  for (const EnvelopeKey* key = envelope.keys(); key != nullptr; key = key->next.get()) {
    if (key->shape != curve.shape || key->param != std::array<float, 4>{}) cannotSay("keys of several shapes or with tangents");
    if (!curve.keys.empty() && key->time < curve.keys.back().time) cannotSay("keys out of time order");
    curve.keys.push_back({key->time, key->value, key->continuity, key->tension, key->bias});
  }
  return curve;
}

Material materialOf(const kst::Material& material) {
  Material taken;
  if (const auto* lit = dynamic_cast<const kst::Mat_Lit*>(&material)) {
    taken.ambient = lit->ambient;
    taken.diffuse = lit->diffuse;
    taken.specular = lit->specular;
    taken.shininess = lit->shininess;
  } else if (const auto* volume = dynamic_cast<const kst::Mat_Volumetric*>(&material)) {
    if (volume->unread != kst::Mat_Volumetric().unread) cannotSay("a volumetric material's unread values");
    taken.volumetric = true;
    taken.colour = {volume->red, volume->green, volume->blue};
  } else {
    cannotSay(std::string("a material of class ") + typeid(material).name());
  }
  return taken;
}

// "cubes" for "demo\cubes.kst": what a layer draws, as a name for it.
std::string nameAfter(const kst::Brush& brush, LayerKind kind) {
  const std::vector<std::string> resources = layerResources(brush);
  if (resources.empty()) return wordFor(layerKinds(), kind);
  std::string name = resources.front().substr(resources.front().find_last_of('\\') + 1);
  return name.substr(0, std::min(name.find('.'), name.size()));
}

LayerKind kindOf(const kst::Brush& brush) {
  static const std::pair<const std::type_info*, LayerKind> kKinds[] = {
      {&typeid(kst::BrushBackdrop), LayerKind::Backdrop},     {&typeid(kst::BrushFrontdrop), LayerKind::Frontdrop},
      {&typeid(kst::BitmapBrush), LayerKind::Bitmap},         {&typeid(kst::SampleBrush), LayerKind::Strip},
      {&typeid(kst::BrushAlphaToStencil), LayerKind::Stencil}, {&typeid(kst::BrushFlat), LayerKind::Flat},
      {&typeid(kst::BrushScene), LayerKind::Scene},           {&typeid(kst::BrushMesh), LayerKind::Mesh},
      {&typeid(kst::BrushMeshInScene), LayerKind::MeshInScene}, {&typeid(kst::BrushEnvelopeValue), LayerKind::Value},
      {&typeid(kst::BrushEnvelopeZoomFactor), LayerKind::Zoom}, {&typeid(kst::BrushOmbres), LayerKind::Shadows},
  };
  for (const auto& [type, kind] : kKinds)
    if (typeid(brush) == *type) return kind;
  cannotSay(std::string("a layer of class ") + typeid(brush).name());
}

void takeBitmap(const kst::Brush& brush, Layer& layer) {
  if (const auto* textured = dynamic_cast<const kst::TexturedBrush*>(&brush)) layer.picture = textured->bitmapName;
  if (const auto* backdrop = dynamic_cast<const kst::BrushBackdrop*>(&brush)) layer.alphaMix = backdrop->alphaMix;
  if (const auto* strip = dynamic_cast<const kst::SampleBrush*>(&brush)) layer.offset = strip->textureOffset;
  if (const auto* bitmap = dynamic_cast<const kst::BitmapBrush*>(&brush)) {
    if (!wordFor(horizontalAnchors(), bitmap->horizontalAnchor) || !wordFor(verticalAnchors(), bitmap->verticalAnchor))
      cannotSay("a bitmap's anchor out of its words");
    layer.anchorX = bitmap->horizontalAnchor;
    layer.anchorY = bitmap->verticalAnchor;
  }
}

void takeScene(const kst::Brush& brush, Layer& layer) {
  if (const auto* scene = dynamic_cast<const kst::BrushScene*>(&brush)) {
    if (!wordFor(stencilFunctions(), static_cast<std::uint32_t>(scene->stencilFunction))) cannotSay("this stencil test");
    layer.scene = scene->sceneName;
    layer.camera = scene->cameraIndex;
    layer.fillBackground = scene->fillBackground;
    layer.stencilFunction = scene->stencilFunction;
    layer.stencilReference = scene->stencilReference;
    layer.stencilMask = scene->stencilMask;
  }
  if (const auto* zoom = dynamic_cast<const kst::BrushEnvelopeZoomFactor*>(&brush)) {
    layer.scene = zoom->sceneName;
    layer.camera = zoom->cameraIndex;
    layer.curve = curveOf(zoom->zoom, 0.0f);
  }
}

// Told of the sections and loads while the show is built: every event made
// before a section starts belongs to the section before it.
class ShowTaking : public script::BuildWatcher {
 public:
  explicit ShowTaking(std::span<const char* const> names) : names_(names) {}
  void sectionStarts(float start) override;
  void loads(const script::BuildLoad& what) override;
  Show take();

 private:
  void claimEvents();
  float relativeTime(float time, const Section& section);
  void nameLayersNamed();
  std::string named(const kst::Brush& brush);
  std::vector<std::string> materials(const std::vector<kst::Material*>& shared);
  std::string ownMaterial(const kst::Material& material);
  Layer layerOf(const kst::Brush& brush);
  void takeMeshes(const kst::Brush& brush, Layer& layer);
  Event eventOf(const kst::TimeLineEvent& event);

  std::span<const char* const> names_;
  Show show_;
  std::vector<script::BuildLoad> beforeAnySection_;
  std::map<const kst::TimeLineEvent*, std::size_t> sectionOf_;
  std::map<const kst::Brush*, std::string> layerNames_;
  std::set<std::string> namesUsed_;
  std::map<const bool*, const kst::Brush*> flags_;
  std::map<const float*, const kst::Brush*> offsets_;
  std::map<const kst::Material*, std::string> sharedMaterials_;
};

void ShowTaking::sectionStarts(float start) {
  claimEvents();
  const std::size_t index = show_.sections.size();
  show_.sections.push_back({index < names_.size() ? names_[index] : "section " + std::to_string(index + 1), start});
}

void ShowTaking::loads(const script::BuildLoad& what) {
  (show_.sections.empty() ? beforeAnySection_ : show_.sections.back().loads).push_back(what);
}

void ShowTaking::claimEvents() {
  const std::size_t section = show_.sections.empty() ? 0 : show_.sections.size() - 1;
  kst::theTimeLine().forEachPending([&](const kst::TimeLineEvent& event) { sectionOf_.try_emplace(&event, section); });
}

// The time from the section's start: the number with the fewest decimals
// the timeline adds up to the same time.
float ShowTaking::relativeTime(float time, const Section& section) {
  const double difference = static_cast<double>(time) - section.start;
  for (double scale = 1.0; scale <= 1e9; scale *= 10.0) {
    const float relative = static_cast<float>(std::round(difference * scale) / scale);
    if (section.start + relative == time) return relative;
  }
  const float relative = time - section.start;
  if (section.start + relative != time) cannotSay("a time its section cannot give exactly");
  return relative;
}

void ShowTaking::nameLayersNamed() {
  std::vector<const void*> wanted;
  kst::theTimeLine().forEachPending([&](const kst::TimeLineEvent& event) {
    if (const auto* activation = dynamic_cast<const kst::EvtActivateBrush*>(&event)) {
      flags_[&activation->layer()->visible] = activation->layer();
      if (const auto* strip = dynamic_cast<const kst::SampleBrush*>(activation->layer())) offsets_[&strip->textureOffset] = strip;
      if (const auto* value = dynamic_cast<const kst::BrushEnvelopeValue*>(activation->layer())) wanted.push_back(value->target);
    } else if (const auto* change = dynamic_cast<const kst::EvtChangeValue<bool>*>(&event)) {
      wanted.push_back(change->target());
    }
  });
  for (const void* target : wanted) {
    const auto flag = flags_.find(static_cast<const bool*>(target));
    const auto offset = offsets_.find(static_cast<const float*>(target));
    if (flag == flags_.end() && offset == offsets_.end()) cannotSay("a value change of something else than a layer");
    named(flag != flags_.end() ? *flag->second : *offset->second);
  }
}

std::string ShowTaking::named(const kst::Brush& brush) {
  auto [name, fresh] = layerNames_.try_emplace(&brush);
  if (!fresh) return name->second;
  const std::string base = nameAfter(brush, kindOf(brush));
  name->second = base;
  for (int count = 2; !namesUsed_.insert(name->second).second; ++count) name->second = base + "-" + std::to_string(count);
  return name->second;
}

std::vector<std::string> ShowTaking::materials(const std::vector<kst::Material*>& shared) {
  std::vector<std::string> names;
  for (const kst::Material* material : shared) {
    auto [name, fresh] = sharedMaterials_.try_emplace(material);
    if (fresh) {
      name->second = "M" + std::to_string(show_.materials.size() + 1);
      Material taken = materialOf(*material);
      taken.name = name->second;
      show_.materials.push_back(taken);
    }
    names.push_back(name->second);
  }
  return names;
}

// A material a layer owns is named after an equal one already named.
std::string ShowTaking::ownMaterial(const kst::Material& material) {
  Material taken = materialOf(material);
  for (const Material& known : show_.materials) {
    taken.name = known.name;
    if (taken == known) return known.name;
  }
  taken.name = "M" + std::to_string(show_.materials.size() + 1);
  show_.materials.push_back(taken);
  return taken.name;
}

Show ShowTaking::take() {
  claimEvents();
  if (show_.sections.empty()) show_.sections.push_back({"show", 0.0f});
  auto& first = show_.sections.front().loads;
  first.insert(first.begin(), beforeAnySection_.begin(), beforeAnySection_.end());
  nameLayersNamed();
  kst::theTimeLine().forEachPending([&](const kst::TimeLineEvent& event) {
    Section& section = show_.sections[sectionOf_.at(&event)];
    if (const auto* activation = dynamic_cast<const kst::EvtActivateBrush*>(&event)) {
      Layer layer = layerOf(*activation->layer());
      layer.start = relativeTime(event.time, section);
      section.entries.emplace_back(std::move(layer));
    } else {
      Event taken = eventOf(event);
      taken.at = relativeTime(event.time, section);
      section.entries.emplace_back(std::move(taken));
    }
  });
  while (show_.sections.size() > 1 && show_.sections.back().loads.empty() && show_.sections.back().entries.empty())
    show_.sections.pop_back();
  return show_;
}

Layer ShowTaking::layerOf(const kst::Brush& brush) {
  static const kst::BrushFlat usual;
  if (!brush.deleteWhenFinished) cannotSay("a layer kept once it has ended");
  Layer layer{.kind = kindOf(brush), .level = brush.layer, .duration = brush.duration, .visible = brush.visible};
  if (auto found = layerNames_.find(&brush); found != layerNames_.end()) layer.name = found->second;
  for (std::size_t i = 0; i < layer.parameters.size(); ++i)
    layer.parameters[i] = curveOf(brush.parameters[i], usual.parameters[i].defaultValue);
  takeBitmap(brush, layer);
  takeScene(brush, layer);
  takeMeshes(brush, layer);
  if (const auto* value = dynamic_cast<const kst::BrushEnvelopeValue*>(&brush)) {
    layer.target = named(*offsets_.at(value->target));
    layer.curve = curveOf(value->value, 0.0f);
  }
  return layer;
}

void ShowTaking::takeMeshes(const kst::Brush& brush, Layer& layer) {
  if (const auto* mesh = dynamic_cast<const kst::BrushMesh*>(&brush)) {
    layer.object = mesh->meshName;
    layer.materials = materials(mesh->materials);
    layer.clearDepth = mesh->clearDepth;
    const kst::BrushMesh fresh;
    const std::pair<const Envelope*, const Envelope*> motion[] = {{&mesh->rotationX, &fresh.rotationX},
                                                                  {&mesh->rotationY, &fresh.rotationY},
                                                                  {&mesh->rotationZ, &fresh.rotationZ},
                                                                  {&mesh->distanceFactor, &fresh.distanceFactor}};
    for (int i = 0; i < kMotionCount; ++i) layer.motion[i] = curveOf(*motion[i].first, motion[i].second->defaultValue);
  }
  if (const auto* inScene = dynamic_cast<const kst::BrushMeshInScene*>(&brush)) {
    layer.scene = inScene->sceneName;
    layer.object = inScene->meshName;
    for (const auto& material : inScene->materials) layer.materials.push_back(ownMaterial(*material));
  }
  if (const auto* shadows = dynamic_cast<const kst::BrushOmbres*>(&brush)) {
    for (const Envelope& unread : shadows->envelopes)
      if (unread.keyCount() != 0) cannotSay("the shadow layer's unread envelopes");
    layer.object = shadows->centralMeshName;
    layer.objects = shadows->objectMeshNames;
    layer.materials = materials(shadows->baseMaterials);
    layer.objectMaterials = materials(shadows->objectMaterials);
  }
}

Event ShowTaking::eventOf(const kst::TimeLineEvent& event) {
  if (const auto* change = dynamic_cast<const kst::EvtChangeValue<bool>*>(&event))
    return {0.0f, change->value() ? Action::Show : Action::Hide, named(*flags_.at(change->target()))};
  const auto* file = dynamic_cast<const kst::FileEvent*>(&event);
  static const std::pair<const std::type_info*, Action> kActions[] = {
      {&typeid(kst::EvtLoadBitmapBackdrop), Action::LoadPicture}, {&typeid(kst::EvtLoadBitmapAlpha), Action::LoadMask},
      {&typeid(kst::EvtUnloadBitmap), Action::UnloadPicture},     {&typeid(kst::EvtUnloadMesh), Action::UnloadObject},
      {&typeid(kst::EvtLoadScene), Action::LoadScene},            {&typeid(kst::EvtUnloadScene), Action::UnloadScene},
      {&typeid(EvtStartMusic), Action::PlayTune},
  };
  for (const auto& [type, action] : kActions)
    if (file != nullptr && typeid(event) == *type) return {0.0f, action, file->file()};
  cannotSay(std::string("an event of class ") + typeid(event).name());
}

}  // namespace

Show takeDownShow(const std::function<void()>& build, std::span<const char* const> sectionNames) {
  ShowTaking taking(sectionNames);
  script::watchBuild(&taking);
  script::leaveFilesAlone(true);
  build();
  script::leaveFilesAlone(false);
  script::watchBuild(nullptr);
  try {
    Show show = taking.take();
    releaseLayersAndEvents();
    return show;
  } catch (...) {
    releaseLayersAndEvents();
    throw;
  }
}

}  // namespace shell::showfile
