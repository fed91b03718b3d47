// The show as built: its timeline, event by event, against the show's own
// table, in both loading modes; the title flicker; the settings of the
// layers whose animation is easiest to get wrong. Built without data (every
// load is refused with a warning), so no GL context is needed.
#include "shell/show_script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "layers/bitmap_layers.h"
#include "layers/brush_ombres.h"
#include "layers/envelope_layers.h"
#include "layers/scene_layers.h"
#include "render/materials/mat_lit.h"
#include "shell/event_listing.h"
#include "shell/script/script_tools.h"
#include "support/listed_events.h"
#include "support/log_capture.h"
#include "support/show_folder.h"
#include "timeline/brush_events.h"
#include "timeline/timeline.h"

namespace {

using Lines = std::vector<std::string>;

// The layers as the show's table gives them (class, level, duration, resources).
const char* const kLayers[39] = {
    "",
    R"(kst::BrushBackdrop level 0 duration 15.50 "demo\backs\1.jpg")",
    R"(kst::BrushMesh level 0 duration 15.50 "demo\intro\objet\tsark.lwo")",
    R"(kst::BrushMesh level 0 duration 11.00 "demo\intro\objet\tsark.lwo")",
    R"(kst::BrushMesh level 0 duration 8.00 "demo\intro\objet\tsark.lwo")",
    R"(kst::SampleBrush level 2 duration 15.50 "demo\fil1.png")",
    R"(kst::BrushEnvelopeValue level 1 duration 15.50)",
    R"(kst::SampleBrush level 2 duration 15.50 "demo\fil2.png")",
    R"(kst::BrushEnvelopeValue level 1 duration 15.50)",
    R"(kst::SampleBrush level 2 duration 15.50 "demo\fil3.png")",
    R"(kst::BrushEnvelopeValue level 1 duration 15.50)",
    R"(kst::BrushFrontdrop level 4 duration 27.00 "demo\frontdrop.jpg")",
    R"(kst::BrushBackdrop level 0 duration 27.00 "demo\backs\1.jpg")",
    R"(kst::BrushOmbres level 1 duration 27.00 "demo\ombres\kst.lwo" "demo\ombres\1.lwo" "demo\ombres\2.lwo" "demo\ombres\3.lwo")",
    R"(kst::BrushFlat level 4 duration 1.50)",
    R"(kst::BrushScene level 0 duration 32.60 "demo\mosquee.kst")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volum1OK2.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volum1OK2sym.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volum2OK.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volum2OKsym.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volum3OK.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volum3OKsym.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volumPlaf.lwo")",
    R"(kst::BrushMeshInScene level 1 duration 32.60 "demo\mosquee.kst" "demo\Mosquee\volumPlaf-sym.lwo")",
    R"(kst::BrushBackdrop level 0 duration 18.50 "demo\Skyward.jpg")",
    R"(kst::BrushScene level 0 duration 19.50 "demo\cubes.kst")",
    R"(kst::BitmapBrush level 4 duration 33.00 "pupic")",
    R"(kst::BitmapBrush level 5 duration 16.30 "demo\greetings.jpg")",
    R"(kst::BrushScene level 1 duration 34.00 "demo\metaballs.kst")",
    R"(kst::BrushEnvelopeZoomFactor level 0 duration 32.00 "demo\metaballs.kst")",
    R"(kst::BrushScene level 1 duration 39.50 "demo\Artifice.kst")",
    R"(kst::BrushAlphaToStencil level 0 duration 18.00 "demo\cite-alpha.png")",
    R"(kst::BrushScene level 2 duration 18.00 "demo\Artifice.kst")",
    R"(kst::BrushScene level 0 duration 0.00 "demo\fin2.kst")",
    R"(kst::BrushScene level 0 duration 0.00 "demo\fin2.kst")",
    R"(kst::BrushScene level 0 duration 0.00 "demo\fin2.kst")",
    R"(kst::BrushScene level 0 duration 0.00 "demo\fin2.kst")",
    R"(kst::BrushFlat level 4 duration 1.50)",
    // The logo never ends: the show keeps its last picture until it is quit.
    R"(kst::BrushBackdrop level 0 duration 0.00 "demo\backs\biglogo.jpg")",
};

std::string line(const char* time, const std::string& kind, const std::string& target) {
  char start[16];
  std::snprintf(start, sizeof start, "%7s  ", time);
  return start + kind + "  " + target;
}
std::string activation(const char* time, int layer) { return line(time, "kst::EvtActivateBrush", kLayers[layer]); }
std::string file(const char* time, const char* kind, const char* name) {
  return line(time, kind, std::string("\"") + name + '"');
}

// The event table of the show, in firing order.
Lines expectedEvents(bool background) {
  Lines lines{activation("0.00", 1), activation("0.00", 2)};
  for (const char* name : {R"(demo\fil1.png)", R"(demo\fil2.png)", R"(demo\fil3.png)"})
    lines.push_back(file("0.00", "kst::EvtLoadBitmapAlpha", name));
  for (int layer : {5, 6, 7, 8, 9, 10}) lines.push_back(activation("0.00", layer));
  lines.push_back(activation("4.50", 3));
  lines.push_back(activation("7.50", 4));
  for (const char* name : {R"(demo\fil3.png)", R"(demo\fil2.png)", R"(demo\fil1.png)"})
    lines.push_back(file("15.50", "kst::EvtUnloadBitmap", name));
  lines.push_back(file("15.50", "kst::EvtUnloadMesh", R"(demo\intro\objet\tsark.lwo)"));
  lines.push_back(file("15.50", "kst::EvtLoadBitmapBackdrop", R"(demo\frontdrop.jpg)"));
  for (int layer : {11, 12, 13}) lines.push_back(activation("15.50", layer));
  lines.push_back(activation("42.25", 14));
  lines.push_back(file("42.50", "kst::EvtUnloadBitmap", R"(demo\backs\1.jpg)"));
  for (const char* name : {R"(demo\ombres\3.lwo)", R"(demo\ombres\2.lwo)", R"(demo\ombres\1.lwo)", R"(demo\ombres\kst.lwo)"})
    lines.push_back(file("42.50", "kst::EvtUnloadMesh", name));
  lines.push_back(file("42.50", "kst::EvtUnloadBitmap", R"(demo\frontdrop.jpg)"));
  for (int layer = 15; layer <= 23; ++layer) lines.push_back(activation("42.50", layer));
  if (background) lines.push_back(file("43.10", "kst::EvtLoadScene", R"(demo\cubes.kst)"));
  lines.push_back(file("75.10", "kst::EvtUnloadScene", R"(demo\mosquee.kst)"));
  for (const char* name : {"volumPlaf-sym", "volumPlaf", "volum3OKsym", "volum3OK", "volum2OKsym", "volum2OK",
                           "volum1OK2sym", "volum1OK2"})
    lines.push_back(file("75.10", "kst::EvtUnloadMesh", (std::string(R"(demo\Mosquee\)") + name + ".lwo").c_str()));
  lines.push_back(activation("75.10", 24));
  lines.push_back(activation("75.10", 25));
  bool cubes = true;
  for (const char* time : {"75.40", "75.70", "76.00", "76.30", "76.50", "76.60", "76.70", "76.80", "76.90"}) {
    const std::string kind = "kst::EvtChangeValue<bool>";
    lines.push_back(line(time, kind, std::string("visible of ") + kLayers[25] + (cubes ? " = true" : " = false")));
    lines.push_back(line(time, kind, std::string("visible of ") + kLayers[24] + (cubes ? " = false" : " = true")));
    cubes = !cubes;
    // The background load falls between the first two switches.
    if (background && time == std::string("75.40"))
      lines.push_back(file("75.60", "kst::EvtLoadScene", R"(demo\metaballs.kst)"));
  }
  lines.push_back(file("93.60", "kst::EvtUnloadBitmap", R"(demo\Skyward.jpg)"));
  lines.push_back(file("93.60", "kst::EvtLoadBitmapAlpha", R"(demo\greetings.jpg)"));
  for (int layer : {26, 27, 28, 29}) lines.push_back(activation("93.60", layer));
  lines.push_back(file("95.10", "kst::EvtUnloadScene", R"(demo\cubes.kst)"));
  lines.push_back(file("126.60", "kst::EvtUnloadBitmap", R"(demo\greetings.jpg)"));
  lines.push_back(file("126.60", "kst::EvtUnloadBitmap", "pupic"));
  lines.push_back(file("126.60", "kst::EvtLoadBitmapAlpha", R"(demo\cite-alpha.png)"));
  for (int layer : {30, 31, 32}) lines.push_back(activation("126.60", layer));
  if (background) lines.push_back(file("127.10", "kst::EvtLoadScene", R"(demo\fin2.kst)"));
  lines.push_back(file("127.60", "kst::EvtUnloadScene", R"(demo\metaballs.kst)"));
  lines.push_back(file("166.10", "kst::EvtUnloadBitmap", R"(demo\cite-alpha.png)"));
  lines.push_back(file("166.10", "EvtStartMusic", R"(demo\_SKYWARD22.xm)"));
  for (int layer : {33, 34, 35, 36}) lines.push_back(activation("166.10", layer));
  lines.push_back(activation("240.85", 37));
  lines.push_back(file("241.10", "kst::EvtLoadBitmapBackdrop", R"(demo\backs\biglogo.jpg)"));
  lines.push_back(activation("241.10", 38));
  return lines;
}

// L1 to L38 by their number, from the activations in firing order.
std::vector<kst::Brush*> layersByNumber() {
  static const int kFiringOrder[] = {1,  2,  5,  6,  7,  8,  9,  10, 3,  4,  11, 12, 13, 14, 15, 16, 17, 18, 19,
                                     20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38};
  std::vector<kst::Brush*> activated;
  kst::theTimeLine().forEachPending([&](const kst::TimeLineEvent& event) {
    if (const auto* activation = dynamic_cast<const kst::EvtActivateBrush*>(&event))
      activated.push_back(activation->layer());
  });
  std::vector<kst::Brush*> layers(39, nullptr);
  for (std::size_t i = 0; i < activated.size() && i < std::size(kFiringOrder); ++i)
    layers[kFiringOrder[i]] = activated[i];
  return layers;
}

using Keyed = shell::script::Key;

void expectKeys(const Envelope& envelope, const std::vector<Keyed>& keys, int behaviour, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(envelope.keyCount(), static_cast<int>(keys.size()));
  const EnvelopeKey* key = envelope.keys();
  for (const Keyed& expected : keys) {
    EXPECT_EQ(key->time, expected.time);
    EXPECT_EQ(key->value, expected.value) << "at " << expected.time;
    EXPECT_EQ(key->continuity, expected.continuity) << "at " << expected.time;
    EXPECT_EQ(key->tension, expected.tension) << "at " << expected.time;
    EXPECT_EQ(key->bias, expected.bias) << "at " << expected.time;
    key = key->next.get();
  }
  EXPECT_EQ(envelope.preBehavior, behaviour);
  EXPECT_EQ(envelope.postBehavior, behaviour);
}

class ShowScriptTest : public ::testing::Test {
 protected:
  ~ShowScriptTest() override { shell::releaseShow(); }

  fake::ShowFolder folder;  // no data: every load is refused and logged
  fake::LogCapture log;
};

TEST_F(ShowScriptTest, TheTimelineIsTheShowsTableInBothModes) {
  for (bool background : {false, true}) {
    SCOPED_TRACE(background ? "background loading" : "everything at once");
    EXPECT_EQ(shell::buildShow(background), 0);
    EXPECT_EQ(kst::theTimeLine().timeOffset, 1241.1f);
    const Lines printed = fake::listedEvents();
    const Lines expected = expectedEvents(background);
    EXPECT_EQ(printed.size(), expected.size());
    for (std::size_t i = 0; i < std::min(printed.size(), expected.size()); ++i)
      EXPECT_EQ(printed[i], expected[i]) << "event " << i;
    shell::releaseShow();
  }
  // Every file that could not be read was named in a warning, as the file
  // system spells it.
  for (const char* name : {"demo/Skyward.jpg", "demo/ombres/2.lwo", "demo/Mosquee/volumPlaf-sym.lwo",
                           "demo/pupic.jpg", "demo/Artifice.kst"})
    EXPECT_NE(log.text().find(name), std::string::npos) << name;
}

TEST_F(ShowScriptTest, TheTitleFlickersIntoTheCubes) {
  shell::buildShow(false);
  const std::vector<kst::Brush*> layers = layersByNumber();
  kst::Brush& title = *layers[24];
  kst::Brush& cubes = *layers[25];
  kst::TimeLine& timeLine = kst::theTimeLine();
  timeLine.rewind();
  timeLine.update(75.1f);
  EXPECT_TRUE(title.visible);
  EXPECT_FALSE(cubes.visible);
  const float switches[] = {75.4f, 75.7f, 76.0f, 76.3f, 76.5f, 76.6f, 76.7f, 76.8f, 76.9f};
  bool cubesShown = false;
  for (float time : switches) {
    timeLine.update(time - 0.01f);
    EXPECT_EQ(cubes.visible, cubesShown) << "just before " << time;
    timeLine.update(time);
    cubesShown = !cubesShown;
    EXPECT_EQ(cubes.visible, cubesShown) << "at " << time;
    EXPECT_EQ(title.visible, !cubesShown) << "at " << time;
  }
  timeLine.update(94.0f);
  EXPECT_TRUE(cubes.visible);
  EXPECT_FALSE(title.visible);
}

TEST_F(ShowScriptTest, LayerAnimationsAreTheTablesKeys) {
  shell::buildShow(false);
  const std::vector<kst::Brush*> layers = layersByNumber();
  const auto& firstEmblem = dynamic_cast<kst::BrushMesh&>(*layers[2]);
  expectKeys(firstEmblem.parameters[kst::Brush::kHeight], {{0, 1}, {1, 1}, {14, 1}, {14.5f, 0}}, kBehaviorConstant,
             "L2 height");
  expectKeys(firstEmblem.rotationY, {{0, 0}, {2, 124}, {4, 561}}, kBehaviorLinear, "L2 spin about y");
  expectKeys(firstEmblem.distanceFactor, {{0, 1}, {3, 1}, {4, 0.1f}}, kBehaviorConstant, "L2 distance");
  const auto& lastEmblem = dynamic_cast<kst::BrushMesh&>(*layers[4]);
  expectKeys(lastEmblem.parameters[kst::Brush::kWidth], {{0, 0}, {0.5f, 1}, {5.8f, 1}, {6.2f, 0}}, kBehaviorConstant,
             "L4 width");
  expectKeys(lastEmblem.rotationX, {{0, 0}, {3, 753}}, kBehaviorLinear, "L4 spin about x");
  expectKeys(layers[7]->parameters[kst::Brush::kX], {{0, 0.75f}, {0.27f, 0.71f}}, kBehaviorOscillate, "L7 sway");
  auto& scroll = dynamic_cast<kst::BrushEnvelopeValue&>(*layers[8]);
  EXPECT_EQ(scroll.target, &dynamic_cast<kst::SampleBrush&>(*layers[7]).textureOffset);
  expectKeys(scroll.value, {{0, 0}, {0.25f, 1}}, kBehaviorLinear, "L8 scroll");
  expectKeys(layers[37]->parameters[kst::Brush::kAlpha], {{0, 0}, {0.25f, 1}, {0.75f, 1}, {1.5f, 0}},
             kBehaviorConstant, "L37 flash");
  expectKeys(layers[27]->parameters[kst::Brush::kAlpha],
             {{0, 0}, {12, 0}, {12.75f, 1, 0, -1}, {13, 0.5f, 0, -1}, {13.5f, 1, 0, -1}, {15, 0, 0, -1}, {15.5f, 1},
              {16.3f, 0, 0, -1}},
             kBehaviorConstant, "L27 blinking");
  const auto& zoom = dynamic_cast<kst::BrushEnvelopeZoomFactor&>(*layers[29]);
  const float wide = 0.4753334f;
  expectKeys(zoom.zoom,
             {{0, wide, 0, 1}, {2, 1, 0, 1}, {3, wide, 0, 1}, {6, 1, 0, 1}, {8, wide, 0, 1}, {11, 1, 0, 1},
              {12, wide, 0, 1}, {15, 1, 0, 1}, {17, wide, 0, 1}, {19, 1, 0, 1}, {21, wide, 0, 1}, {23, 1, 0, 1},
              {25, wide, 0, 1}, {32, 1, 0, 1}},
             kBehaviorConstant, "L29 zoom");
  const auto& city = dynamic_cast<kst::BrushScene&>(*layers[30]);
  expectKeys(city.parameters[kst::Brush::kY], {{0, 1}, {1, 0, -1}, {38, 0, -1}, {38.5f, 0.45f, -1}},
             kBehaviorConstant, "L30 top");
  expectKeys(city.parameters[kst::Brush::kHeight], {{0, 1}, {38, 1, -1}, {38.5f, 0.1f, -1}, {39, 0, -1}},
             kBehaviorConstant, "L30 height");
  EXPECT_EQ(city.cameraIndex, 1);
  const auto& throughSkyline = dynamic_cast<kst::BrushScene&>(*layers[32]);
  EXPECT_EQ(throughSkyline.stencilFunction, GLenum{0x205});
  expectKeys(throughSkyline.parameters[kst::Brush::kY], {{0, 1.5f}, {1, 0.5f}}, kBehaviorConstant, "L32 top");
}

TEST_F(ShowScriptTest, QuarterViewsLookThroughCamerasThreeToZero) {
  shell::buildShow(false);
  const std::vector<kst::Brush*> layers = layersByNumber();
  const float expected[4][3] = {{0.5f, 0.5f, 3}, {0.0f, 0.5f, 2}, {0.5f, 0.0f, 1}, {0.0f, 0.0f, 0}};
  for (int i = 0; i < 4; ++i) {
    const auto& view = dynamic_cast<kst::BrushScene&>(*layers[33 + i]);
    float at[kst::Brush::kParameterCount];
    view.EvaluateParameters(5.0f, at);
    EXPECT_EQ(at[kst::Brush::kX], expected[i][0]) << "L" << 33 + i;
    EXPECT_EQ(at[kst::Brush::kY], expected[i][1]) << "L" << 33 + i;
    EXPECT_EQ(at[kst::Brush::kWidth], 0.5f);
    EXPECT_EQ(at[kst::Brush::kHeight], 0.5f);
    EXPECT_EQ(view.cameraIndex, static_cast<int>(expected[i][2]));
  }
}

// Ambient, diffuse, specular (red, green, blue, alpha each) and shininess.
struct LitColours {
  float colours[12];
  float shininess;
};

void expectMaterial(const kst::Material* material, const LitColours& expected, const char* what) {
  SCOPED_TRACE(what);
  const auto* lit = dynamic_cast<const kst::Mat_Lit*>(material);
  ASSERT_NE(lit, nullptr);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(lit->ambient[i], expected.colours[i]);
    EXPECT_FLOAT_EQ(lit->diffuse[i], expected.colours[4 + i]);
    EXPECT_FLOAT_EQ(lit->specular[i], expected.colours[8 + i]);
  }
  EXPECT_EQ(lit->shininess, expected.shininess);
}

TEST_F(ShowScriptTest, MaterialsOfTheEmblemsAndTheShadowDance) {
  shell::buildShow(false);
  const std::vector<kst::Brush*> layers = layersByNumber();
  const float grey = 0.2f;
  expectMaterial(dynamic_cast<kst::BrushMesh&>(*layers[2]).materials.at(0),
                 {{grey, grey, grey, 1, 0, 0.3f, 0.7f, 1, 0.6f, 1, 1, 1}, 1.0f}, "M1");
  expectMaterial(dynamic_cast<kst::BrushMesh&>(*layers[3]).materials.at(0),
                 {{grey, grey, grey, 1, 0, 0.9f, 0.9f, 1, 1, 1, 1, 1}, 1.0f}, "M2");
  expectMaterial(dynamic_cast<kst::BrushMesh&>(*layers[4]).materials.at(0),
                 {{grey, grey, grey, 1, 0.9f, 0.9f, 0.9f, 1, 1, 1, 1, 1}, 1.0f}, "M3");
  const auto& dance = dynamic_cast<kst::BrushOmbres&>(*layers[13]);
  ASSERT_EQ(dance.baseMaterials.size(), 2u);
  ASSERT_EQ(dance.objectMaterials.size(), 3u);
  expectMaterial(dance.baseMaterials[0], {{0, 0.2f, 0, 0, 175 / 255.f, 225 / 255.f, 157 / 255.f, 0, 0.8f, 1, 0.8f, 0}, 0.9f},
                 "M4");
  expectMaterial(dance.baseMaterials[1], {{0, 0.7f, 0.7f, 0, 62 / 255.f, 163 / 255.f, 174 / 255.f, 0, 0.8f, 1, 1, 0}, 0.9f},
                 "M5");
  expectMaterial(dance.objectMaterials[0], {{0, 0, 0, 0, 1, 0.91f, 0.78f, 0, 1, 1, 1, 0}, 0.9f}, "M6");
  expectMaterial(dance.objectMaterials[1], {{0, 0, 0, 0, 0.78f, 1, 0.91f, 0, 1, 1, 1, 0}, 0.9f}, "M7");
  expectMaterial(dance.objectMaterials[2], {{0, 0, 0, 0, 0.78f, 0.78f, 1, 0, 1, 1, 1, 0}, 0.9f}, "M8");
  for (int shaft = 16; shaft <= 23; ++shaft)
    EXPECT_EQ(dynamic_cast<kst::BrushMeshInScene&>(*layers[shaft]).materials.size(), 1u) << "L" << shaft;
}

}  // namespace
