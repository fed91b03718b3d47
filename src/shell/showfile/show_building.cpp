#include "shell/showfile/show_building.h"

#include <map>
#include <memory>

#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "layers/envelope_layers.h"
#include "layers/scene_layers.h"
#include "render/materials/mat_lit.h"
#include "render/materials/mat_volumetric.h"
#include "shell/script/show_materials.h"
#include "timeline/bitmap_events.h"
#include "timeline/music_events.h"
#include "timeline/scene_events.h"
#include "timeline/value_events.h"

namespace shell::showfile {
namespace {

void setCurve(Envelope& envelope, const Curve& curve) {
  envelope.clear();
  for (const CurveKey& key : curve.keys)
    envelope.addKey(key.time, key.value, key.continuity, key.tension, key.bias).shape = curve.shape;
  envelope.preBehavior = curve.before;
  envelope.postBehavior = curve.after;
}

void setCurve(Envelope& envelope, const std::optional<Curve>& curve) {
  if (curve) setCurve(envelope, *curve);
}

std::unique_ptr<kst::Material> makeMaterial(const Material& material) {
  if (material.volumetric) {
    auto volume = std::make_unique<kst::Mat_Volumetric>();
    volume->red = material.colour[0];
    volume->green = material.colour[1];
    volume->blue = material.colour[2];
    return volume;
  }
  auto lit = std::make_unique<kst::Mat_Lit>();
  lit->ambient = material.ambient;
  lit->diffuse = material.diffuse;
  lit->specular = material.specular;
  lit->shininess = material.shininess;
  return lit;
}

// The named materials: one of each for the layers that share them, a copy
// for each layer that owns its own.
class Materials {
 public:
  explicit Materials(const std::vector<Material>& materials) {
    for (const Material& material : materials) {
      named_[material.name] = &material;
      auto made = makeMaterial(material);
      shared_[material.name] = made.get();
      script::keepMaterial(std::move(made));
    }
  }
  std::vector<kst::Material*> shared(const std::vector<std::string>& names) const {
    std::vector<kst::Material*> materials;
    for (const std::string& name : names) materials.push_back(shared_.at(name));
    return materials;
  }
  std::unique_ptr<kst::Material> copy(const std::string& name) const { return makeMaterial(*named_.at(name)); }

 private:
  std::map<std::string, const Material*> named_;
  std::map<std::string, kst::Material*> shared_;
};

template <typename Brush>
std::unique_ptr<Brush> textured(const Layer& layer) {
  auto brush = std::make_unique<Brush>();
  brush->bitmapName = layer.picture;
  return brush;
}

std::unique_ptr<kst::Brush> sceneLayer(const Layer& layer) {
  auto scene = std::make_unique<kst::BrushScene>();
  scene->sceneName = layer.scene;
  scene->cameraIndex = layer.camera;
  scene->fillBackground = layer.fillBackground;
  scene->stencilFunction = layer.stencilFunction;
  scene->stencilReference = layer.stencilReference;
  scene->stencilMask = layer.stencilMask;
  return scene;
}

std::unique_ptr<kst::Brush> meshLayer(const Layer& layer, const Materials& materials) {
  auto mesh = std::make_unique<kst::BrushMesh>();
  mesh->meshName = layer.object;
  mesh->materials = materials.shared(layer.materials);
  mesh->clearDepth = layer.clearDepth;
  setCurve(mesh->rotationX, layer.motion[kRotationX]);
  setCurve(mesh->rotationY, layer.motion[kRotationY]);
  setCurve(mesh->rotationZ, layer.motion[kRotationZ]);
  setCurve(mesh->distanceFactor, layer.motion[kDistance]);
  return mesh;
}

std::unique_ptr<kst::Brush> meshInSceneLayer(const Layer& layer, const Materials& materials) {
  auto mesh = std::make_unique<kst::BrushMeshInScene>();
  mesh->sceneName = layer.scene;
  mesh->meshName = layer.object;
  for (const std::string& name : layer.materials) mesh->materials.push_back(materials.copy(name));
  return mesh;
}

std::unique_ptr<kst::Brush> shadowLayer(const Layer& layer, const Materials& materials) {
  auto shadows = std::make_unique<kst::BrushOmbres>();
  shadows->centralMeshName = layer.object;
  shadows->objectMeshNames = layer.objects;
  shadows->baseMaterials = materials.shared(layer.materials);
  shadows->objectMaterials = materials.shared(layer.objectMaterials);
  return shadows;
}

std::unique_ptr<kst::Brush> zoomLayer(const Layer& layer) {
  auto zoom = std::make_unique<kst::BrushEnvelopeZoomFactor>();
  zoom->sceneName = layer.scene;
  zoom->cameraIndex = layer.camera;
  setCurve(zoom->zoom, layer.curve);
  return zoom;
}

// Every kind but the value layer, which needs its strip made first.
std::unique_ptr<kst::Brush> makeBrush(const Layer& layer, const Materials& materials) {
  switch (layer.kind) {
    case LayerKind::Backdrop: {
      auto backdrop = textured<kst::BrushBackdrop>(layer);
      backdrop->alphaMix = layer.alphaMix;
      return backdrop;
    }
    case LayerKind::Frontdrop: return textured<kst::BrushFrontdrop>(layer);
    case LayerKind::Bitmap: {
      auto bitmap = textured<kst::BitmapBrush>(layer);
      bitmap->horizontalAnchor = layer.anchorX;
      bitmap->verticalAnchor = layer.anchorY;
      return bitmap;
    }
    case LayerKind::Strip: {
      auto strip = textured<kst::SampleBrush>(layer);
      strip->textureOffset = layer.offset;
      return strip;
    }
    case LayerKind::Stencil: return textured<kst::BrushAlphaToStencil>(layer);
    case LayerKind::Flat: return std::make_unique<kst::BrushFlat>();
    case LayerKind::Scene: return sceneLayer(layer);
    case LayerKind::Mesh: return meshLayer(layer, materials);
    case LayerKind::MeshInScene: return meshInSceneLayer(layer, materials);
    case LayerKind::Zoom: return zoomLayer(layer);
    case LayerKind::Shadows: return shadowLayer(layer, materials);
    case LayerKind::Value: break;
  }
  return nullptr;
}

void setCommon(kst::Brush& brush, const Layer& layer) {
  brush.layer = layer.level;
  brush.duration = layer.duration;
  brush.visible = layer.visible;
  for (std::size_t i = 0; i < layer.parameters.size(); ++i) setCurve(brush.parameters[i], layer.parameters[i]);
}

// The layers of every section, made before any is activated: show, hide
// and value layers may name a layer written after them.
class Layers {
 public:
  Layers(const Show& show, const Materials& materials) {
    for (bool values : {false, true})
      for (const Section& section : show.sections)
        for (const Entry& entry : section.entries)
          if (const auto* layer = std::get_if<Layer>(&entry); layer != nullptr && (layer->kind == LayerKind::Value) == values)
            make(*layer, materials);
  }
  // Until its activation is made the layer is owned here.
  kst::Brush* take(const Layer& layer) { return made_.at(&layer).release(); }
  kst::Brush* named(const std::string& name) const { return named_.at(name); }

 private:
  void make(const Layer& layer, const Materials& materials) {
    std::unique_ptr<kst::Brush> brush = layer.kind == LayerKind::Value ? valueLayer(layer) : makeBrush(layer, materials);
    setCommon(*brush, layer);
    if (!layer.name.empty()) named_[layer.name] = brush.get();
    made_[&layer] = std::move(brush);
  }
  std::unique_ptr<kst::Brush> valueLayer(const Layer& layer) {
    auto* strip = dynamic_cast<kst::SampleBrush*>(named_.at(layer.target));
    auto value = std::make_unique<kst::BrushEnvelopeValue>(&strip->textureOffset);
    setCurve(value->value, layer.curve);
    return value;
  }

  std::map<const Layer*, std::unique_ptr<kst::Brush>> made_;
  std::map<std::string, kst::Brush*> named_;
};

void makeEvent(const Event& event, const Layers& layers) {
  switch (event.action) {
    case Action::LoadPicture: new kst::EvtLoadBitmapBackdrop(event.at, event.target); return;
    case Action::LoadMask: new kst::EvtLoadBitmapAlpha(event.at, event.target); return;
    case Action::UnloadPicture: new kst::EvtUnloadBitmap(event.at, event.target); return;
    case Action::UnloadObject: new kst::EvtUnloadMesh(event.at, event.target); return;
    case Action::LoadScene: new kst::EvtLoadScene(event.at, event.target); return;
    case Action::UnloadScene: new kst::EvtUnloadScene(event.at, event.target); return;
    case Action::PlayTune: new EvtStartMusic(event.at, event.target); return;
    case Action::Show:
    case Action::Hide:
      new kst::EvtChangeValue<bool>(event.at, &layers.named(event.target)->visible, event.action == Action::Show);
      return;
  }
}

}  // namespace

void buildShowFile(const Show& show, bool background) {
  script::releaseMaterials();
  const Materials materials(show.materials);
  Layers layers(show, materials);
  for (const Section& section : show.sections) {
    script::startSection(section.start);
    for (const script::BuildLoad& load : section.loads) script::load(load, background);
    for (const Entry& entry : section.entries) {
      if (const auto* layer = std::get_if<Layer>(&entry))
        script::activate(layer->start, *layers.take(*layer));
      else
        makeEvent(std::get<Event>(entry), layers);
    }
  }
}

}  // namespace shell::showfile
