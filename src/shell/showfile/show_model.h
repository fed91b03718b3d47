#pragma once
// A show as a show file describes it: named materials, then the sections in
// order, each with what it reads while the show is built and its layers and
// events in the order written (at one moment they happen in that order).
// The reader makes it from a file, the writer a file from it, the builder
// the show's layers and events; the built-in show can be taken down into
// it. Plain values: two shows are equal when every setting is.
//
// Times are seconds, kept as floats as the timeline keeps them; a section's
// times count from its start. File and picture names are the stocks' keys
// ("demo\backs\1.jpg"), as the show's code names them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "scene/envelope.h"
#include "shell/script/script_tools.h"

namespace shell::showfile {

// A key of a curve: a value at a time, with the key's continuity, tension
// and bias (Kochanek-Bartels).
struct CurveKey {
  float time = 0.0f;
  float value = 0.0f;
  float continuity = 0.0f;
  float tension = 0.0f;
  float bias = 0.0f;
  bool operator==(const CurveKey&) const = default;
};

// An envelope: keys in time order (at least one), every span of one shape,
// and what the curve does before its first key and after its last.
struct Curve {
  std::vector<CurveKey> keys{};
  std::int32_t shape = kShapeTCB;
  std::int32_t before = kBehaviorConstant;
  std::int32_t after = kBehaviorConstant;
  bool operator==(const Curve&) const = default;
};

// A lit material (ambient, diffuse and specular colours as RGBA, shininess
// 0 to 1) or a volume of light of one colour.
struct Material {
  std::string name{};
  bool volumetric = false;
  std::array<float, 4> ambient{0.2f, 0.2f, 0.2f, 1.0f};
  std::array<float, 4> diffuse{0.8f, 0.8f, 0.8f, 1.0f};
  std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;
  std::array<float, 3> colour{1.0f, 1.0f, 1.0f};
  bool operator==(const Material&) const = default;
};

enum class LayerKind { Backdrop, Frontdrop, Bitmap, Strip, Stencil, Flat, Scene, Mesh, MeshInScene, Value, Zoom, Shadows };

// The mesh layer's own curves, after the nine parameters.
enum Motion : int { kRotationX = 0, kRotationY, kRotationZ, kDistance, kMotionCount };

// Every setting any kind of layer has; each kind reads its own (see
// show_words.h for which). Unset curves leave the layer's defaults.
struct Layer {
  LayerKind kind = LayerKind::Flat;
  std::string name{};  // empty: none (show, hide and value layers name layers)
  float start = 0.0f;
  std::int32_t level = 0;
  float duration = 0.0f;  // 0: to the end of the show
  bool visible = true;
  std::array<std::optional<Curve>, 9> parameters{};  // kst::Brush's, by index
  std::string picture{};                             // the bitmap layers
  bool alphaMix = false;                           // backdrop
  std::int32_t anchorX = 0;                        // bitmap: left, centre, right
  std::int32_t anchorY = 2;                        // bitmap: top, middle, bottom
  float offset = 0.0f;                             // strip: its scroll at the start
  std::string scene{};                               // scene, mesh in scene, zoom
  std::int32_t camera = 0;                         // scene, zoom
  bool fillBackground = true;                      // scene
  std::uint32_t stencilFunction = 0x0207;          // scene: GL_ALWAYS, no stencil test
  std::int32_t stencilReference = 0;
  std::uint32_t stencilMask = ~0u;
  std::string object{};                   // mesh, mesh in scene; the shadows' central object
  std::vector<std::string> objects{};     // shadows: the orbiting objects
  std::vector<std::string> materials{};   // mesh, mesh in scene; the shadows' base materials
  std::vector<std::string> objectMaterials{};  // shadows: each orbiting object picks one
  bool clearDepth = true;                    // mesh
  std::array<std::optional<Curve>, kMotionCount> motion{};  // mesh
  std::string target{};                        // value: the strip layer it scrolls
  std::optional<Curve> curve{};                // value, zoom
  bool operator==(const Layer&) const = default;
};

enum class Action { LoadPicture, LoadMask, UnloadPicture, UnloadObject, LoadScene, UnloadScene, PlayTune, Show, Hide };

// A load, an unload, a tune or a layer shown or hidden at a time.
struct Event {
  float at = 0.0f;
  Action action = Action::LoadPicture;
  std::string target{};  // the file or picture name; for show and hide the layer's name
  bool operator==(const Event&) const = default;
};

using Entry = std::variant<Layer, Event>;

struct Section {
  std::string name{};
  float start = 0.0f;
  std::vector<script::BuildLoad> loads{};  // read while the show is built, in order
  std::vector<Entry> entries{};            // a layer is activated at its start
  bool operator==(const Section&) const = default;
};

struct Show {
  std::vector<Material> materials{};
  std::vector<Section> sections{};
  bool operator==(const Show&) const = default;
};

}  // namespace shell::showfile
