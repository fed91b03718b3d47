// The bitmap layers at the level of the GL calls they make: what they turn
// on, where their corners go, and the frame state they leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "layers/bitmap_layers.h"
#include "layers/frame_state_replay.h"
#include "render/gl_state_cache.h"
#include "scene/texture_image.h"
#include "stocks/bitmap_stock.h"
#include "support/log_capture.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

using layer_test::FrameState;

struct Corner {
  float s, t, x, y;
  bool operator==(const Corner&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Corner& c) {
  return out << "(" << c.s << ", " << c.t << ") at (" << c.x << ", " << c.y << ")";
}

class BitmapLayerCalls : public ::testing::Test {
 protected:
  BitmapLayerCalls() {
    fake::RecordingGL::FillTable();
    // Corners as sent: the texture coordinate, then the vertex.
    world.driver.on<GLEntryId::glTexCoord2f>([this](GLfloat s, GLfloat t) { texCoord = {s, t}; });
    world.driver.on<GLEntryId::glVertex2f>(
        [this](GLfloat x, GLfloat y) { corners.push_back({texCoord[0], texCoord[1], x, y}); });
    addBitmap("opaque 200x150", 200, 150, false);
    addBitmap("translucent 64x64", 64, 64, true);
    addBitmap("backdrop 1024x1024", 1024, 1024, false);
  }
  ~BitmapLayerCalls() override {
    for (const char* name : {"opaque 200x150", "translucent 64x64", "backdrop 1024x1024"})
      kst::theBitmapStock().unload(name);
  }

  // A stock texture of that picture size, never uploaded (GL name 0).
  static void addBitmap(const char* name, int width, int height, bool alpha) {
    auto texture = std::make_unique<TextureImage>();
    texture->pictureWidth = width;
    texture->pictureHeight = height;
    texture->hasAlpha = alpha;
    if (kst::theBitmapStock().add(name, texture.get())) texture.release();
  }

  static void place(kst::Brush& brush, std::initializer_list<std::pair<int, float>> values) {
    for (auto [index, value] : values) brush.parameters[index].defaultValue = value;
  }

  // Draws, then answers the frame state the calls leave behind.
  FrameState draw(kst::Brush& brush) {
    world.driver.clear();
    corners.clear();
    brush.Draw(0.5f);
    FrameState state;
    for (const std::string& line : world.driver.calls) state.replay(line);
    return state;
  }

  bool called(const std::string& line) const {
    return std::ranges::find(world.driver.calls, line) != world.driver.calls.end();
  }

  fake::FakeGLWorld world;
  std::array<float, 2> texCoord{};
  std::vector<Corner> corners;
};

TEST_F(BitmapLayerCalls, OpaqueBitmapAtFullAlphaIsNotBlendedButHalfAlphaOrAnAlphaChannelIs) {
  kst::BitmapBrush brush;
  brush.bitmapName = "opaque 200x150";
  draw(brush);
  EXPECT_FALSE(called(fake::call("glEnable", GL_BLEND)));
  EXPECT_EQ(world.driver.count("glBegin"), 1u);

  place(brush, {{kst::Brush::kAlpha, 0.5f}});
  draw(brush);
  EXPECT_TRUE(called(fake::call("glEnable", GL_BLEND)));
  EXPECT_TRUE(called(fake::call("glBlendFunc", GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)));
  EXPECT_TRUE(called(fake::call("glColor4f", 1.0f, 1.0f, 1.0f, 0.5f)));

  kst::BitmapBrush withAlpha;
  withAlpha.bitmapName = "translucent 64x64";
  draw(withAlpha);
  EXPECT_TRUE(called(fake::call("glEnable", GL_BLEND)));
}

TEST_F(BitmapLayerCalls, InvisibleBitmapAndBackdropMakeNoCallWhileTheOthersDrawRegardless) {
  kst::BitmapBrush bitmap;
  kst::BrushBackdrop backdrop;
  kst::BrushFrontdrop frontdrop;
  kst::BrushAlphaToStencil stencil;
  kst::SampleBrush sample;
  kst::BrushFlat flat;
  for (kst::TexturedBrush* brush : std::initializer_list<kst::TexturedBrush*>{&bitmap, &backdrop, &frontdrop, &stencil, &sample})
    brush->bitmapName = "opaque 200x150";
  for (kst::Brush* brush : std::initializer_list<kst::Brush*>{&bitmap, &backdrop}) {
    brush->visible = false;
    draw(*brush);
    EXPECT_TRUE(world.driver.calls.empty()) << world.driver.calls.front();
  }
  for (kst::Brush* brush : std::initializer_list<kst::Brush*>{&frontdrop, &stencil, &sample, &flat}) {
    brush->visible = false;
    draw(*brush);
    EXPECT_EQ(world.driver.count("glBegin"), 1u);
    EXPECT_EQ(corners.size(), 4u);
  }
}

TEST_F(BitmapLayerCalls, EveryLayerLeavesTheFrameStateAsItFoundItExceptTheBackdropsDepthFunction) {
  kst::BitmapBrush bitmap;
  kst::BrushBackdrop backdrop, mixedBackdrop;
  mixedBackdrop.alphaMix = true;
  kst::BrushFrontdrop frontdrop;
  kst::BrushAlphaToStencil stencil;
  kst::SampleBrush sample;
  kst::BrushFlat flat;
  for (kst::TexturedBrush* brush : std::initializer_list<kst::TexturedBrush*>{&bitmap, &backdrop, &mixedBackdrop,
                                                                               &frontdrop, &stencil, &sample})
    brush->bitmapName = "translucent 64x64";
  place(flat, {{kst::Brush::kAlpha, 0.25f}});
  const FrameState frame;
  for (kst::Brush* brush : std::initializer_list<kst::Brush*>{&bitmap, &frontdrop, &stencil, &sample, &flat}) {
    EXPECT_EQ(draw(*brush), frame) << testing::PrintToString(world.driver.calls);
    EXPECT_EQ(glStateCache.textureMask, 0u);
  }
  for (kst::Brush* brush : std::initializer_list<kst::Brush*>{&backdrop, &mixedBackdrop}) {
    FrameState afterBackdrop;
    afterBackdrop.depthFunc = GL_LESS;
    EXPECT_EQ(draw(*brush), afterBackdrop) << testing::PrintToString(world.driver.calls);
    EXPECT_EQ(glStateCache.textureMask, 0u);
  }
}

TEST_F(BitmapLayerCalls, BackdropMapsTexelsOneToOneFromTheTopLeftAndMixesByTheFramesAlpha) {
  kst::BrushBackdrop backdrop;
  backdrop.bitmapName = "backdrop 1024x1024";
  draw(backdrop);
  const float sx = 800.0f / 1024, sy = 600.0f / 1024;
  EXPECT_EQ(corners, (std::vector<Corner>{{0, sy, -1, -1}, {0, 0, -1, 1}, {sx, 0, 1, 1}, {sx, sy, 1, -1}}));
  EXPECT_TRUE(called(fake::call("glDepthFunc", GL_ALWAYS)));
  EXPECT_FALSE(called(fake::call("glEnable", GL_BLEND)));
  backdrop.alphaMix = true;
  draw(backdrop);
  EXPECT_TRUE(called(fake::call("glColorMask", GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE)));
  EXPECT_TRUE(called(fake::call("glBlendFunc", GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA)));
}

TEST_F(BitmapLayerCalls, AnchorsPlaceTheBitmapByItsPixelSize) {
  // 200 x 150 pixels of an 800 x 600 frame: 0.5 x 0.5 device units.
  struct Case {
    int horizontal, vertical;
    float left, bottom;
  };
  for (const Case& c : {Case{0, 2, 0.25f, 0.25f}, Case{1, 1, 0.0f, 0.0f}, Case{2, 0, -0.25f, -0.25f},
                        Case{7, -3, 0.25f, 0.25f}}) {
    kst::BitmapBrush brush;
    brush.bitmapName = "opaque 200x150";
    brush.horizontalAnchor = c.horizontal;
    brush.verticalAnchor = c.vertical;
    place(brush, {{kst::Brush::kX, 0.25f}, {kst::Brush::kY, 0.25f}});
    draw(brush);
    const float l = c.left, b = c.bottom;
    EXPECT_EQ(corners, (std::vector<Corner>{{0, 1, l, b}, {0, 0, l, b + 0.5f}, {1, 0, l + 0.5f, b + 0.5f},
                                            {1, 1, l + 0.5f, b}}))
        << c.horizontal << ", " << c.vertical;
  }
}

// A data set drawn at scale 2 has pictures of twice the pixels, laid out at
// the same place and size as scale 1's: the quads of the test above, and the
// backdrop's one-to-one texture coordinates.
TEST_F(BitmapLayerCalls, BitmapsOfADataSetAtScaleTwoLieWhereScaleOnesDo) {
  addBitmap("opaque 400x300", 400, 300, false);
  addBitmap("backdrop 2048x2048", 2048, 2048, false);
  kst::theBitmapStock().setPictureScale(2);
  kst::BitmapBrush brush;
  brush.bitmapName = "opaque 400x300";
  place(brush, {{kst::Brush::kX, 0.25f}, {kst::Brush::kY, 0.25f}});
  draw(brush);
  EXPECT_EQ(corners, (std::vector<Corner>{{0, 1, 0.25f, 0.25f}, {0, 0, 0.25f, 0.75f}, {1, 0, 0.75f, 0.75f},
                                          {1, 1, 0.75f, 0.25f}}));
  kst::BrushBackdrop backdrop;
  backdrop.bitmapName = "backdrop 2048x2048";
  draw(backdrop);
  const float sx = 800.0f / 1024, sy = 600.0f / 1024;
  EXPECT_EQ(corners, (std::vector<Corner>{{0, sy, -1, -1}, {0, 0, -1, 1}, {sx, 0, 1, 1}, {sx, sy, 1, -1}}));
  kst::theBitmapStock().setPictureScale(1);
  for (const char* name : {"opaque 400x300", "backdrop 2048x2048"}) kst::theBitmapStock().unload(name);
}

TEST_F(BitmapLayerCalls, SampleAndFlatQuadsAreCentredAndSizedByTheirParameters) {
  kst::SampleBrush sample;
  sample.bitmapName = "opaque 200x150";
  sample.textureOffset = 0.25f;
  place(sample, {{kst::Brush::kX, 0.5f}, {kst::Brush::kY, -0.5f}, {kst::Brush::kWidth, 1.0f},
                 {kst::Brush::kHeight, 0.5f}});
  // A strip loaded with clamped edges is switched to repeat along its
  // scroll once, before its first bind, and not again.
  TextureImage& strip = *kst::theBitmapStock().get("opaque 200x150");
  strip.wrapT = strip.appliedWrapT = GL_CLAMP;
  draw(sample);
  EXPECT_EQ(corners, (std::vector<Corner>{{0, 1.25f, 0, -0.75f}, {0, 0.25f, 0, -0.25f}, {1, 0.25f, 1, -0.25f},
                                          {1, 1.25f, 1, -0.75f}}));
  EXPECT_FALSE(called(fake::call("glDisable", GL_DEPTH_TEST)));
  const std::string repeat = fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  EXPECT_LT(std::ranges::find(world.driver.calls, repeat), std::ranges::find(world.driver.calls, fake::call("glBegin", GL_QUADS)));
  draw(sample);
  EXPECT_FALSE(called(repeat));

  kst::BrushFlat flat;
  place(flat, {{kst::Brush::kWidth, 2.0f}, {kst::Brush::kHeight, 2.0f}, {kst::Brush::kRed, 0.5f}});
  draw(flat);
  EXPECT_EQ(world.driver.count("glTexCoord2f"), 0u);
  EXPECT_EQ(corners.size(), 4u);
  EXPECT_EQ(corners[0].x, -1.0f);
  EXPECT_EQ(corners[2].y, 1.0f);
  EXPECT_TRUE(called(fake::call("glColor4f", 0.5f, 1.0f, 1.0f, 1.0f)));
  EXPECT_FALSE(called(fake::call("glEnable", GL_BLEND)));
}

TEST_F(BitmapLayerCalls, StencilMarkingTurnsColourOffAndReplacesWithOne) {
  kst::BrushAlphaToStencil stencil;
  stencil.bitmapName = "opaque 200x150";
  place(stencil, {{kst::Brush::kX, -1.0f}, {kst::Brush::kY, -1.0f}});
  draw(stencil);
  for (const std::string& line :
       {fake::call("glAlphaFunc", GL_NOTEQUAL, 0.0f), fake::call("glStencilFunc", GL_ALWAYS, 1, ~0u),
        fake::call("glStencilOp", GL_KEEP, GL_KEEP, GL_REPLACE),
        fake::call("glColorMask", GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE)})
    EXPECT_TRUE(called(line)) << line;
  EXPECT_EQ(corners.front(), (Corner{0, 1, -1, -1}));
  EXPECT_EQ(corners[2], (Corner{1, 0, -0.5f, -0.5f}));
}

TEST_F(BitmapLayerCalls, ABitmapMissingFromTheStockDrawsNothingAndIsReportedOncePerName) {
  fake::LogCapture log;
  kst::BitmapBrush first;
  first.bitmapName = "demo\\never loaded.png";
  kst::BrushFrontdrop second;
  second.bitmapName = "demo\\never loaded either.png";
  for (int frame = 0; frame < 3; ++frame) {
    for (kst::Brush* brush : std::initializer_list<kst::Brush*>{&first, &second}) {
      draw(*brush);
      EXPECT_TRUE(world.driver.calls.empty());
    }
  }
  ASSERT_EQ(log.lines().size(), 2u) << log.text();
  EXPECT_NE(log.lines()[0].find("** Warning:"), std::string::npos);
  EXPECT_NE(log.lines()[0].find("demo/never loaded.png"), std::string::npos);  // the file system's form
  EXPECT_NE(log.lines()[1].find("demo/never loaded either.png"), std::string::npos);
}

}  // namespace

namespace {

// Only a backdrop that replaces every pixel covers the frame: not one mixed
// by the frame's alpha, an invisible one or one without its bitmap.
TEST_F(BitmapLayerCalls, OnlyAPlainVisibleBackdropWithItsBitmapCoversTheFrame) {
  kst::BrushBackdrop backdrop;
  backdrop.bitmapName = "backdrop 1024x1024";
  EXPECT_TRUE(backdrop.CoversFrame(0.5f));
  backdrop.alphaMix = true;
  EXPECT_FALSE(backdrop.CoversFrame(0.5f));
  backdrop.alphaMix = false;
  backdrop.visible = false;
  EXPECT_FALSE(backdrop.CoversFrame(0.5f));
  backdrop.visible = true;
  backdrop.bitmapName = "not in the stock";
  EXPECT_FALSE(backdrop.CoversFrame(0.5f));
  kst::BrushFrontdrop frontdrop;  // multiplies the frame
  frontdrop.bitmapName = "backdrop 1024x1024";
  EXPECT_FALSE(frontdrop.CoversFrame(0.5f));
}

}  // namespace
