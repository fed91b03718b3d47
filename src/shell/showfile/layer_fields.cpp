#include "shell/showfile/layer_fields.h"

#include <limits>

#include "shell/showfile/toml_text.h"

namespace shell::showfile {
namespace {

using Text = std::optional<std::string>;
using K = LayerKind;

constexpr unsigned kTextured =
    kindBit(K::Backdrop) | kindBit(K::Frontdrop) | kindBit(K::Bitmap) | kindBit(K::Strip) | kindBit(K::Stencil);
constexpr unsigned kAll = (1u << 12) - 1;
constexpr unsigned kNamingScenes = kindBit(K::Scene) | kindBit(K::MeshInScene) | kindBit(K::Zoom);
constexpr unsigned kNamingObjects = kindBit(K::Mesh) | kindBit(K::MeshInScene) | kindBit(K::Shadows);
constexpr unsigned kWithCameras = kindBit(K::Scene) | kindBit(K::Zoom);
// The nine parameters are drawn by every kind but the two that draw nothing.
constexpr unsigned kDrawing = kAll & ~(kindBit(K::Value) | kindBit(K::Zoom));
constexpr unsigned kPlaced = kDrawing & ~kindBit(K::Scene);  // x and y; a scene layer's are left and top

template <typename Into, typename Value>
bool set(Into& into, const std::optional<Value>& value) {
  if (value) into = static_cast<Into>(*value);
  return value.has_value();
}

template <typename Value>
Text unless(const Value& value, const Value& usual, std::string text) {
  return value == usual ? Text() : Text(std::move(text));
}

Text number(float value, float usual) { return unless(value, usual, numberText(value)); }
Text flag(bool value, bool usual) { return unless(value, usual, value ? "true" : "false"); }

template <typename Value>
Text word(std::span<const Word<Value>> words, Value value, Value usual) {
  return unless(value, usual, quotedText(wordFor(words, value)));
}

Text names(const std::vector<std::string>& names, bool files) {
  std::vector<std::string> items;
  for (const std::string& name : names) items.push_back(files ? fileText(name) : quotedText(name));
  return names.empty() ? Text() : Text(listText(items));
}

Text curve(const std::optional<Curve>& curve) { return curve ? Text(curveText(*curve)) : Text(); }

// Each item a text, noted in `noted`; false after an error.
bool readNames(Reading& reading, const toml::node& node, std::vector<std::string>& into, std::vector<Mention>& noted) {
  bool whole = true;
  for (const toml::node* item : reading.oneOrMore(node, "names")) {
    const std::optional<std::string> name = reading.text(*item, "a material's name");
    whole = whole && name;
    if (name) into.push_back(*name);
    if (name) noted.push_back({*name, item->source()});
  }
  return whole;
}

bool readObjects(Reading& reading, const toml::node& node, std::vector<std::string>& into) {
  bool whole = true;
  for (const toml::node* item : reading.oneOrMore(node, "files")) {
    const std::optional<std::string> file = reading.file(*item, FileKind::Object);
    whole = whole && file;
    if (file) into.push_back(*file);
  }
  return whole;
}

bool readCamera(Reading& reading, const toml::node& node, Layer& layer) {
  return set(layer.camera, reading.whole(node, 0, std::numeric_limits<std::int32_t>::max(), "a camera number, 0 or more"));
}

bool readName(Reading& reading, const toml::node& node, Layer& layer) {
  if (!set(layer.name, reading.text(node, "a name for the layer"))) return false;
  reading.layersNamed.push_back({layer.name, node.source()});
  return true;
}

bool readTarget(Reading& reading, const toml::node& node, Layer& layer) {
  if (!set(layer.target, reading.layerName(node))) return false;
  reading.valueTargets.push_back({layer.target, node.source()});
  return true;
}

template <int Index>
LayerField parameter(const char* key, unsigned kinds) {
  return {key, kinds, 0, "",
          [](Reading& r, const toml::node& n, Layer& l) { return set(l.parameters[Index], r.curve(n)); },
          [](const Layer& l) { return curve(l.parameters[Index]); }};
}

template <int Index>
LayerField motion(const char* key) {
  return {key, kindBit(K::Mesh), 0, "",
          [](Reading& r, const toml::node& n, Layer& l) { return set(l.motion[Index], r.curve(n)); },
          [](const Layer& l) { return curve(l.motion[Index]); }};
}

const std::vector<LayerField>& fields() {
  static const std::vector<LayerField> kFields{
      {"name", kAll, 0, "", readName, [](const Layer& l) { return unless(l.name, std::string(), quotedText(l.name)); }},
      {"picture", kTextured, kTextured, "the picture it draws",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.picture, r.picture(n)); },
       [](const Layer& l) { return Text(l.picture.find('\\') != std::string::npos ? fileText(l.picture) : quotedText(l.picture)); }},
      {"scene", kNamingScenes, kNamingScenes, "the scene it draws or changes",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.scene, r.file(n, FileKind::Scene)); },
       [](const Layer& l) { return Text(fileText(l.scene)); }},
      {"object", kNamingObjects, kNamingObjects, "the object it draws",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.object, r.file(n, FileKind::Object)); },
       [](const Layer& l) { return Text(fileText(l.object)); }},
      {"objects", kindBit(K::Shadows), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return readObjects(r, n, l.objects); },
       [](const Layer& l) { return names(l.objects, true); }},
      {"target", kindBit(K::Value), kindBit(K::Value), "the name of the strip layer it scrolls", readTarget,
       [](const Layer& l) { return Text(quotedText(l.target)); }},
      {"start", kAll, 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.start, r.number(n)); },
       [](const Layer& l) { return number(l.start, 0.0f); }},
      {"level", kAll, kAll, "its level, 0 (drawn first) to 7",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.level, r.whole(n, 0, 7, "a level from 0 to 7")); },
       [](const Layer& l) { return Text(std::to_string(l.level)); }},
      {"duration", kAll, kAll, "the seconds it lasts (0: to the end)",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.duration, r.seconds(n)); },
       [](const Layer& l) { return Text(numberText(l.duration)); }},
      {"visible", kAll, 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.visible, r.flag(n)); },
       [](const Layer& l) { return flag(l.visible, true); }},
      {"camera", kWithCameras, 0, "", readCamera, [](const Layer& l) { return unless(l.camera, 0, std::to_string(l.camera)); }},
      {"alpha-mix", kindBit(K::Backdrop), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.alphaMix, r.flag(n)); },
       [](const Layer& l) { return flag(l.alphaMix, false); }},
      {"anchor-x", kindBit(K::Bitmap), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.anchorX, r.word(n, horizontalAnchors(), "where x is on the picture")); },
       [](const Layer& l) { return word(horizontalAnchors(), l.anchorX, 0); }},
      {"anchor-y", kindBit(K::Bitmap), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.anchorY, r.word(n, verticalAnchors(), "where y is on the picture")); },
       [](const Layer& l) { return word(verticalAnchors(), l.anchorY, 2); }},
      {"offset", kindBit(K::Strip), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.offset, r.number(n)); },
       [](const Layer& l) { return number(l.offset, 0.0f); }},
      {"fill-background", kindBit(K::Scene), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.fillBackground, r.flag(n)); },
       [](const Layer& l) { return flag(l.fillBackground, true); }},
      {"stencil", kindBit(K::Scene), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.stencilFunction, r.word(n, stencilFunctions(), "a stencil test")); },
       [](const Layer& l) { return word(stencilFunctions(), l.stencilFunction, 0x0207u); }},
      {"stencil-reference", kindBit(K::Scene), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) {
         return set(l.stencilReference, r.whole(n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), "a whole number"));
       },
       [](const Layer& l) { return unless(l.stencilReference, 0, std::to_string(l.stencilReference)); }},
      {"stencil-mask", kindBit(K::Scene), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.stencilMask, r.whole(n, 0, 0xffffffffLL, "a mask from 0 to 4294967295")); },
       [](const Layer& l) { return unless(l.stencilMask, ~0u, std::to_string(l.stencilMask)); }},
      {"clear-depth", kindBit(K::Mesh), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.clearDepth, r.flag(n)); },
       [](const Layer& l) { return flag(l.clearDepth, true); }},
      parameter<0>("x", kPlaced), parameter<0>("left", kindBit(K::Scene)),
      parameter<1>("y", kPlaced), parameter<1>("top", kindBit(K::Scene)),
      parameter<2>("width", kDrawing), parameter<3>("height", kDrawing),
      parameter<4>("red", kDrawing), parameter<5>("green", kDrawing), parameter<6>("blue", kDrawing),
      parameter<7>("alpha", kDrawing), parameter<8>("extra", kDrawing),
      motion<kRotationX>("rotation-x"), motion<kRotationY>("rotation-y"), motion<kRotationZ>("rotation-z"),
      motion<kDistance>("distance"),
      {"value", kindBit(K::Value), kindBit(K::Value), "its curve: value = [[time, value], ...]",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.curve, r.curve(n)); },
       [](const Layer& l) { return curve(l.curve); }},
      {"zoom", kindBit(K::Zoom), kindBit(K::Zoom), "its curve: zoom = [[time, near distance], ...]",
       [](Reading& r, const toml::node& n, Layer& l) { return set(l.curve, r.curve(n)); },
       [](const Layer& l) { return curve(l.curve); }},
      {"materials", kNamingObjects, 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return readNames(r, n, l.materials, r.materialNames); },
       [](const Layer& l) { return names(l.materials, false); }},
      {"object-materials", kindBit(K::Shadows), 0, "",
       [](Reading& r, const toml::node& n, Layer& l) { return readNames(r, n, l.objectMaterials, r.materialNames); },
       [](const Layer& l) { return names(l.objectMaterials, false); }},
  };
  return kFields;
}

}  // namespace

std::span<const LayerField> layerFields() { return fields(); }

const LayerField* layerField(std::string_view key) {
  for (const LayerField& field : fields())
    if (key == field.key) return &field;
  return nullptr;
}

}  // namespace shell::showfile
