// Every brush kind of the show, drawn on the software driver with the
// settings the show gives it, keeps its two promises to the frame:
// - the GL state later brushes rely on reads back after its draw as before,
//   but for what its header says it leaves, and the state cache still
//   agrees with GL;
// - its answers to the layer stack (covers the frame, only paints, reads
//   earlier depth or stencil) are what its draw does, seen by drawing it
//   over frames that differ only in their colour, or only in their depth
//   and stencil.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "layers/envelope_layers.h"
#include "layers/layer_scenes.h"
#include "layers/scene_layers.h"
#include "layers/shadow_meshes.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_lit.h"
#include "render/materials/mat_volumetric.h"
#include "scene/image.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "shell/frame_state.h"
#include "stocks/bitmap_stock.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kUnits = 4;  // texture units looked at: scenes use two

// ---- the GL state, read back ------------------------------------------------

using GLState = std::map<std::string, std::vector<GLint>>;

std::vector<GLint> integers(std::initializer_list<GLenum> names, int each = 1) {
  std::vector<GLint> values;
  for (GLenum name : names) {
    std::array<GLint, 4> value{};
    gl.glGetIntegerv(name, value.data());
    values.insert(values.end(), value.begin(), value.begin() + each);
  }
  return values;
}

std::vector<GLint> switches(std::initializer_list<GLenum> caps) {
  std::vector<GLint> values;
  for (GLenum cap : caps) values.push_back(gl.glIsEnabled(cap));
  return values;
}

// Per texture unit: texture 2D on, coordinate array on; then the units
// selected (0 for GL_TEXTURE0), put back as they were.
struct Units {
  std::vector<GLint> textures, arrays, selected;
};

Units readUnits() {
  const GLint active = integers({GL_ACTIVE_TEXTURE})[0];
  const GLint clientActive = integers({GL_CLIENT_ACTIVE_TEXTURE})[0];
  Units units{{}, {}, {active - GL_TEXTURE0, clientActive - GL_TEXTURE0}};
  for (int unit = 0; unit < kUnits; ++unit) {
    gl.glActiveTextureARB(GL_TEXTURE0 + unit);
    gl.glClientActiveTextureARB(GL_TEXTURE0 + unit);
    units.textures.push_back(gl.glIsEnabled(GL_TEXTURE_2D));
    units.arrays.push_back(gl.glIsEnabled(GL_TEXTURE_COORD_ARRAY));
  }
  gl.glActiveTextureARB(active);
  gl.glClientActiveTextureARB(clientActive);
  return units;
}

const char* const kDepthFunction = "depth function";
const char* const kBlendFunction = "blending function";
const char* const kStencilFunction = "stencil function and operations";
const char* const kNormalize = "normalize";
const char* const kUnitSelected = "texture unit selected";

GLState readState() {
  const Units units = readUnits();
  return {{"culling", {gl.glIsEnabled(GL_CULL_FACE), integers({GL_CULL_FACE_MODE})[0]}},
          {"front face", integers({GL_FRONT_FACE})},
          {"depth test", switches({GL_DEPTH_TEST})},
          {kDepthFunction, integers({GL_DEPTH_FUNC})},
          {"depth writes", integers({GL_DEPTH_WRITEMASK})},
          {"colour writes", integers({GL_COLOR_WRITEMASK}, 4)},
          {"stencil test", switches({GL_STENCIL_TEST})},
          {kStencilFunction, integers({GL_STENCIL_FUNC, GL_STENCIL_REF, GL_STENCIL_FAIL, GL_STENCIL_PASS_DEPTH_FAIL,
                                       GL_STENCIL_PASS_DEPTH_PASS})},
          // As far as the 8-bit stencil buffer has bits.
          {"stencil masks", {integers({GL_STENCIL_VALUE_MASK})[0] & 0xff, integers({GL_STENCIL_WRITEMASK})[0] & 0xff}},
          {"blending", switches({GL_BLEND})},
          {kBlendFunction, integers({GL_BLEND_SRC, GL_BLEND_DST, GL_BLEND_EQUATION})},
          {"alpha test", switches({GL_ALPHA_TEST})},
          {"fog", switches({GL_FOG})},
          {"lighting", switches({GL_LIGHTING, GL_LIGHT0})},
          {kNormalize, switches({GL_NORMALIZE})},
          {"texture units", units.textures},
          {"texture coordinate arrays", units.arrays},
          {kUnitSelected, units.selected},
          {"client arrays", switches({GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY})},
          {"matrix mode", integers({GL_MATRIX_MODE})},
          {"viewport", integers({GL_VIEWPORT}, 4)}};
}

// The same items as the state cache believes them to be: it skips every
// call for what it believes is already so.
GLState cachedState(const GLState& read) {
  const GLStateCache& cache = glStateCache;
  auto bits = [](std::uint32_t mask) {
    std::vector<GLint> on;
    for (int unit = 0; unit < kUnits; ++unit) on.push_back((mask >> unit) & 1u);
    return on;
  };
  GLState cached = read;
  cached["culling"] = {cache.cullFace, cache.cullFaceMode};
  cached["fog"] = {cache.fog};
  cached["texture units"] = bits(cache.textureMask);
  cached["texture coordinate arrays"] = bits(cache.texCoordArrayMask);
  cached[kUnitSelected] = {cache.activeTexture, cache.activeTexture};
  cached["client arrays"] = {cache.vertexArray, cache.normalArray, cache.colorArray};
  if (cache.matrixMode != 0) cached["matrix mode"] = {cache.matrixMode};
  return cached;
}

// The items that differ, by name.
std::set<std::string> changed(const GLState& before, const GLState& after) {
  std::set<std::string> names;
  for (const auto& [name, value] : before)
    if (after.at(name) != value) names.insert(name);
  return names;
}

// "name: before -> after" for each item that differs.
std::string differences(const GLState& before, const GLState& after) {
  std::string said;
  const auto values = [](const std::vector<GLint>& list) {
    std::string text;
    for (GLint value : list) text += " " + std::to_string(value);
    return text;
  };
  for (const std::string& name : changed(before, after))
    said += name + ":" + values(before.at(name)) + " ->" + values(after.at(name)) + "\n";
  return said;
}

// ---- what a draw does to the frame -------------------------------------------

struct Earlier {
  std::array<float, 4> colour;
  double depth;
  int stencil;
};
// The frame as the frame loop leaves it; the same frame in other colours;
// the same colours with everything near and stencil 1 everywhere.
const Earlier kFrame{{0.2f, 0.4f, 0.6f, 0.0f}, 1.0, 0};
const Earlier kOtherColour{{0.8f, 0.1f, 0.3f, 1.0f}, 1.0, 0};
const Earlier kOtherDepthAndStencil{{0.2f, 0.4f, 0.6f, 0.0f}, 0.0, 1};

struct Buffers {
  std::vector<std::uint8_t> colour = std::vector<std::uint8_t>(kWidth * kHeight * 4);
  std::vector<float> depth = std::vector<float>(kWidth * kHeight);
  std::vector<std::uint8_t> stencil = std::vector<std::uint8_t>(kWidth * kHeight);
};

Buffers readBuffers() {
  Buffers read;
  gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, read.colour.data());
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, read.depth.data());
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, read.stencil.data());
  return read;
}

// Whether what a draw leaves over the usual frame and over the one with
// other depth and stencil values differs: in colour, or in a depth or
// stencil value that the draw did not leave alone over both.
bool readsEarlier(const Buffers& usual, const Buffers& other) {
  const auto differ = [](auto a, auto b, auto aFound, auto bFound) { return a != b && !(a == aFound && b == bFound); };
  const auto depth = [](const Earlier& frame) { return static_cast<float>(frame.depth); };
  const auto stencil = [](const Earlier& frame) { return static_cast<std::uint8_t>(frame.stencil); };
  bool differs = usual.colour != other.colour;
  for (std::size_t i = 0; i < usual.depth.size() && !differs; ++i)
    differs = differ(usual.depth[i], other.depth[i], depth(kFrame), depth(kOtherDepthAndStencil)) ||
              differ(usual.stencil[i], other.stencil[i], stencil(kFrame), stencil(kOtherDepthAndStencil));
  return differs;
}

// The draws' own state, taken as each primitive starts: what the layer stack
// is told it may not find in a brush that covers the frame.
struct DrawState {
  bool blended = false;
  bool depthCompared = false;  // the depth test on, with a function other than GL_ALWAYS
  bool stencilTested = false;
};
DrawState seen;

void noteDraw() {
  seen.blended = seen.blended || gl.glIsEnabled(GL_BLEND);
  const bool comparing = gl.glIsEnabled(GL_DEPTH_TEST) && integers({GL_DEPTH_FUNC})[0] != GL_ALWAYS;
  seen.depthCompared = seen.depthCompared || comparing;
  seen.stencilTested = seen.stencilTested || gl.glIsEnabled(GL_STENCIL_TEST);
}

struct RealDraws {
  decltype(gl.glBegin) begin;
  decltype(gl.glDrawElements) elements;
  decltype(gl.glDrawRangeElementsEXT) range;
};
RealDraws real;

void watchDraws() {
  real = {gl.glBegin, gl.glDrawElements, gl.glDrawRangeElementsEXT};
  gl.glBegin = [](GLenum mode) {
    noteDraw();
    real.begin(mode);
  };
  gl.glDrawElements = [](GLenum mode, GLsizei count, GLenum type, const void* indices) {
    noteDraw();
    real.elements(mode, count, type, indices);
  };
  gl.glDrawRangeElementsEXT = [](GLenum mode, GLuint first, GLuint last, GLsizei count, GLenum type,
                                 const void* indices) {
    noteDraw();
    real.range(mode, first, last, count, type, indices);
  };
}

void unwatchDraws() {
  gl.glBegin = real.begin;
  gl.glDrawElements = real.elements;
  gl.glDrawRangeElementsEXT = real.range;
}

// ---- the show's brush kinds --------------------------------------------------

const char* const kPicture = "picture";  // 64 x 64, opaque on its left half
const char* const kScene = "scene";      // layer_scenes.h's square, textured twice, in fog
const char* const kBox = "box";          // framing radius 1
const char* const kVolume = "volume";    // in front of the scene's camera
const char* const kRoom = "room";        // around the scene's camera
float envelopeTarget = 0;                // what the envelope value layer writes
kst::Mat_Lit litMaterial;

template <typename T>
std::unique_ptr<T> withParameters(std::initializer_list<std::pair<int, float>> values) {
  auto brush = std::make_unique<T>();
  for (auto [index, value] : values) brush->parameters[index].defaultValue = value;
  return brush;
}

template <typename T>
std::unique_ptr<kst::Brush> bitmapLayer(std::initializer_list<std::pair<int, float>> values = {}) {
  auto brush = withParameters<T>(values);
  brush->bitmapName = kPicture;
  return brush;
}

std::unique_ptr<kst::Brush> backdrop(bool alphaMix) {
  auto brush = std::make_unique<kst::BrushBackdrop>();
  brush->bitmapName = kPicture;
  brush->alphaMix = alphaMix;
  return brush;
}

// Half the frame's size, as the show's emblems are while they grow.
std::unique_ptr<kst::Brush> mesh(bool clearDepth) {
  auto brush = withParameters<kst::BrushMesh>({{2, 0.5f}, {3, 0.5f}});
  brush->meshName = kBox;
  brush->materials = {&litMaterial};
  brush->clearDepth = clearDepth;
  brush->rotationY.defaultValue = 30;
  return brush;
}

// The whole frame; the right half when it draws inside a stencil shape.
std::unique_ptr<kst::Brush> scene(GLenum stencilFunction) {
  const float left = stencilFunction == GL_ALWAYS ? 0.0f : 0.5f;
  auto brush = withParameters<kst::BrushScene>({{0, left}, {1, 0.0f}, {2, 1.0f - left}, {3, 1.0f}});
  brush->sceneName = kScene;
  brush->stencilFunction = stencilFunction;
  brush->stencilReference = 1;
  return brush;
}

std::unique_ptr<kst::Brush> lightIn(const char* volume) {
  auto brush = std::make_unique<kst::BrushMeshInScene>();
  brush->sceneName = kScene;
  brush->meshName = volume;
  brush->materials.push_back(std::make_unique<kst::Mat_Volumetric>());
  return brush;
}

// Rising into the middle of the frame, as in the show.
std::unique_ptr<kst::Brush> shadows() {
  auto brush = withParameters<kst::BrushOmbres>({{1, -0.5f}, {2, 1.0f}, {3, 1.0f}});
  brush->centralMeshName = kBox;
  brush->objectMeshNames = {kBox};
  brush->baseMaterials = brush->objectMaterials = {&litMaterial};
  return brush;
}

std::unique_ptr<kst::Brush> envelopeValue() {
  auto brush = std::make_unique<kst::BrushEnvelopeValue>(&envelopeTarget);
  brush->value.defaultValue = 0.75f;
  return brush;
}

std::unique_ptr<kst::Brush> zoom() {
  auto brush = std::make_unique<kst::BrushEnvelopeZoomFactor>();
  brush->sceneName = kScene;
  brush->zoom.defaultValue = 2;  // the camera's near distance is 1
  return brush;
}

struct Kind {
  const char* name;
  std::function<std::unique_ptr<kst::Brush>()> make;
  std::set<std::string> leaves;  // state items its draw leaves changed
  const char* why;               // its header's reason for each
  float time = 0.5f;
};

const char* const kFunctionsRule = "brush.h: who turns blending or the stencil test on sets its function first";

const Kind kKinds[] = {
    {"Backdrop", [] { return backdrop(false); }, {kDepthFunction}, "bitmap_layers.h: later layers see GL_LESS"},
    {"BackdropMixedByAlpha", [] { return backdrop(true); }, {kDepthFunction, kBlendFunction},
     "bitmap_layers.h: GL_LESS; and brush.h"},
    {"Frontdrop", [] { return bitmapLayer<kst::BrushFrontdrop>(); }, {kBlendFunction}, kFunctionsRule},
    {"Bitmap", [] { return bitmapLayer<kst::BitmapBrush>({{0, -0.5f}, {1, -0.5f}}); }, {kBlendFunction},
     kFunctionsRule},
    {"Sample", [] { return bitmapLayer<kst::SampleBrush>({{2, 0.1f}, {3, 2.0f}}); }, {kBlendFunction},
     kFunctionsRule},
    {"AlphaToStencil", [] { return bitmapLayer<kst::BrushAlphaToStencil>({{0, -0.5f}}); }, {kStencilFunction},
     kFunctionsRule},
    {"Flat", [] { return withParameters<kst::BrushFlat>({{2, 2.0f}, {3, 2.0f}, {7, 0.5f}}); }, {kBlendFunction},
     kFunctionsRule},
    {"Mesh", [] { return mesh(true); }, {kNormalize}, "mat_lit.h: only lighting reads it, and only it lights"},
    {"MeshOverEarlierDepth", [] { return mesh(false); }, {kNormalize}, "mat_lit.h"},
    {"Scene", [] { return scene(GL_ALWAYS); }, {kUnitSelected},
     "scene_layers.h: selected through the state cache, as every later user selects one"},
    {"SceneInStencil", [] { return scene(GL_EQUAL); }, {kUnitSelected, kStencilFunction},
     "scene_layers.h, and brush.h"},
    {"MeshInScene", [] { return lightIn(kVolume); }, {kBlendFunction}, "mat_volumetric.h"},
    {"MeshInSceneAroundTheCamera", [] { return lightIn(kRoom); }, {kBlendFunction, kStencilFunction},
     "mat_volumetric.h"},
    {"Ombres", shadows, {kStencilFunction, kNormalize}, "brush_ombres.h", 10.0f},
    {"EnvelopeValue", envelopeValue, {}, ""},
    {"EnvelopeZoomFactor", zoom, {}, ""},
};

// ---- the fixture -------------------------------------------------------------

void stockBox(const char* name, Vector3 low, Vector3 high) {
  auto made = std::make_unique<MeshPrimitive>();
  made->source = shadow_test::box(low, high);
  made->build(true, kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
  kst::theMeshStock().add(name, made.release());
}

template <typename ImageType>
std::unique_ptr<TextureImage> texture(int size, const std::function<std::uint8_t(int, int)>& byte) {
  auto picture = std::make_unique<ImageType>();
  picture->setSize(size, size);
  for (int i = 0; i < size * size; ++i)
    for (int c = 0; c < ImageType::kBytesPerPixel; ++c)
      picture->pixels[i * ImageType::kBytesPerPixel + c] = byte(i, c);
  auto made = std::make_unique<TextureImage>();
  made->flags = TextureImage::TEX_NO_MIPMAPS;
  made->upload(std::move(picture));
  return made;
}

// A scene as the show's look: a surface with two texture layers, in fog.
void stockScene() {
  auto surface = std::make_unique<Mat_LW>();
  for (Mat_LW::Layer* layer : {&surface->layer1, &surface->layer2}) {
    layer->texture = 0;
    layer->enabled = true;
    layer->minFilter = GL_LINEAR;
  }
  auto made = layer_test::squareScene({0, 0, 0.5f, 1}, 1, std::move(surface));
  made->addTexture(texture<Image24>(4, [](int i, int c) { return static_cast<std::uint8_t>(60 * c + i); }));
  made->fogEnabled = true;
  made->fogStart = 5;
  made->fogEnd = 20;
  made->prepareAfterLoad(kScene);
  kst::theSceneStock().add(kScene, new kst::SceneStockEntry(std::move(made)));
}

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

class BrushContract : public ::testing::TestWithParam<Kind> {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward brush contract test", kWidth, kHeight));
    glStateCache.Reset();
    const auto texel = [](int i, int c) {
      return static_cast<std::uint8_t>(c == 3 ? (i % 64 < 32 ? 255 : 0) : 40 * c + i);
    };
    kst::theBitmapStock().add(kPicture, texture<Image32>(64, texel).release());
    stockScene();
    stockBox(kBox, {-1, -1, -1}, {1, 1, 1});
    stockBox(kVolume, {-1, -1, -1}, {1, 1, 1});
    stockBox(kRoom, {-4, -4, -14}, {4, 4, 4});
    litMaterial.ambient = {0.5f, 0.5f, 0.5f, 1};
    watchDraws();
  }
  static void TearDownTestSuite() {
    unwatchDraws();
    kst::theBitmapStock().unload(kPicture);
    kst::theSceneStock().unload(kScene);
    for (const char* name : {kBox, kVolume, kRoom}) kst::theMeshStock().unload(name);
  }
  void TearDown() override { EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  // The frame between two brushes, whatever the brush before left: the
  // frame loop's state, its switches off and their settings at GL's own
  // start values, and the buffers as given.
  static void startFrame(const Earlier& earlier) {
    gl.glViewport(0, 0, kWidth, kHeight);
    glStateCache.SetMatrixMode(GL_MODELVIEW);
    glStateCache.SelectTextureUnit(0);
    shell::ResetFrameState();
    gl.glBlendFunc(GL_ONE, GL_ZERO);
    gl.glStencilFunc(GL_ALWAYS, 0, ~0u);
    gl.glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    gl.glStencilMask(~0u);
    for (GLenum cap : {GL_BLEND, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_LIGHTING, GL_LIGHT0, GL_NORMALIZE})
      gl.glDisable(cap);
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    const auto& [r, g, b, a] = earlier.colour;
    gl.glClearColor(r, g, b, a);
    gl.glClearDepth(earlier.depth);
    gl.glClearStencil(earlier.stencil);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    gl.glClearColor(0, 0, 0, 0);
    gl.glClearDepth(1);
    gl.glClearStencil(0);
    Scene& shown = *kst::theSceneStock().get(kScene)->scene;
    shown.currentCamera = 0;  // as a scene layer drawn earlier leaves it
    shown.cameras[0]->SetNear(1);
    envelopeTarget = 0;
  }

  // What the draw changes outside GL that later frames could see: values
  // of other objects, and the random numbers the show draws from.
  static std::vector<float> world() {
    const Scene& shown = *kst::theSceneStock().get(kScene)->scene;
    return {envelopeTarget, shown.cameras[0]->nearDistance(), static_cast<float>(shown.currentCamera),
            static_cast<float>(std::rand())};
  }

  // A new brush of this kind drawn once over `earlier`; the random numbers
  // start alike for every draw.
  static Buffers drawOver(const Earlier& earlier) {
    startFrame(earlier);
    std::srand(1);
    GetParam().make()->Draw(GetParam().time);
    return readBuffers();
  }
};

TEST_P(BrushContract, LeavesTheFramesStateAsItFoundItButForWhatItsHeaderSays) {
  const Kind& kind = GetParam();
  startFrame(kFrame);
  const GLState before = readState();
  kind.make()->Draw(kind.time);
  const GLState after = readState();
  EXPECT_EQ(changed(before, after), kind.leaves) << differences(before, after) << kind.why;
  EXPECT_EQ(changed(after, cachedState(after)), std::set<std::string>{})
      << "the state cache is out of step with GL:\n" << differences(after, cachedState(after));
}

TEST_P(BrushContract, AnswersTheLayerStackWhatItsDrawDoes) {
  const Kind& kind = GetParam();
  startFrame(kFrame);
  std::srand(1);
  const std::vector<float> before = world();
  std::srand(1);
  const auto brush = kind.make();
  brush->Draw(kind.time);
  const bool onlyPaints = world() == before;

  seen = {};
  const Buffers usual = drawOver(kFrame);
  const DrawState draws = seen;
  const bool reads = readsEarlier(usual, drawOver(kOtherDepthAndStencil));
  const bool covers = usual.colour == drawOver(kOtherColour).colour && !reads && !draws.blended &&
                      !draws.depthCompared && !draws.stencilTested;

  EXPECT_EQ(brush->OnlyPaints(), onlyPaints);
  EXPECT_EQ(brush->ReadsEarlierDepthOrStencil(), reads);
  EXPECT_EQ(brush->CoversFrame(kind.time), covers);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, BrushContract, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) { return info.param.name; });

}  // namespace
