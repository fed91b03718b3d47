// One frame of a scene: update and render of 2,000 shape-like nodes (40
// groups of 50 under one root) over 50 surfaces, half plain, half textured,
// through a GL table that does nothing. As in the show's scenes most of it
// stands still: 4 of the 40 groups (200 shapes, a tenth of the scene) move
// along LightWave envelopes every frame, the other groups have constant
// transforms. The camera stands still (a second case pans it a little every
// frame). The reference is the floor of that
// work: a plain loop making the frame's GL calls from a list prepared once
// (surfaces in drawing order, each with its records' matrices and the state
// changes the frame makes before it). gl_calls counts the calls one frame
// makes on each side; the two counts are equal.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "../tests/support/scene_stand_ins.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/inert_gl.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

namespace {

constexpr int kGroups = 40;
constexpr int kShapesPerGroup = 50;
constexpr int kSurfaces = 50;
constexpr int kTextures = 5;
constexpr int kMovingEvery = 10;  // every tenth group moves

// Counts the GL calls of one frame: each entry adds one and does nothing.
std::uint64_t callCount = 0;

template <typename F>
struct Counting;
template <typename R, typename... A>
struct Counting<R(A...)> {
  static R call(A...) {
    ++callCount;
    return R();
  }
};

template <typename Frame>
std::uint64_t callsOfOneFrame(Frame frame) {
  std::vector<void*> inert(kGLEntryCount);
  for (std::size_t i = 0; i < kGLEntryCount; ++i) inert[i] = GLEntryAddress(i);
  static void* const counting[kGLEntryCount] = {
#define GL_ENTRY(name, group) reinterpret_cast<void*>(&Counting<std::remove_pointer_t<decltype(&::name)>>::call),
#include "render/gl_entry_points.def"
#undef GL_ENTRY
  };
  for (std::size_t i = 0; i < kGLEntryCount; ++i) SetGLEntryAddress(i, counting[i]);
  callCount = 0;
  frame();
  for (std::size_t i = 0; i < kGLEntryCount; ++i) SetGLEntryAddress(i, inert[i]);
  return callCount;
}

// Time per shape-like node, as a counter of the run.
void countPerNode(benchmark::State& state) {
  state.counters["ns_per_node"] = benchmark::Counter(static_cast<double>(state.iterations()) * kGroups * kShapesPerGroup,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Sways by two units along x from `base` and back, once a second, forever.
std::unique_ptr<TransformNode::KeyframeHandler> swaying(Vector3 base) {
  auto handler = std::make_unique<LW6KeyframeHandler>();
  handler->x.addKey(0.0f, base.x, 0, 0, 0);
  handler->x.addKey(0.5f, base.x + 2.0f, 0, 0, 0);
  handler->x.addKey(1.0f, base.x, 0, 0, 0);
  handler->x.setBehaviors(kBehaviorRepeat);
  handler->y.addKey(0.0f, base.y, 0, 0, 0);
  handler->z.addKey(0.0f, base.z, 0, 0, 0);
  return handler;
}

struct World {
  World() {
    InstallInertGLTable();
    glStateCache.Reset();
    for (int t = 0; t < kTextures; ++t) {
      auto texture = std::make_unique<TextureImage>();
      texture->glName = static_cast<GLuint>(t + 1);
      scene.addTexture(std::move(texture));
    }
    for (int s = 0; s < kSurfaces; ++s) {
      if (s % 2 == 0) {
        scene.addSurface(std::make_unique<Surface>());
        continue;
      }
      auto mat = std::make_unique<Mat_LW>();
      mat->layer1.texture = (s / 2) % kTextures;
      mat->layer1.enabled = true;
      scene.addSurface(std::move(mat));
    }
    scene.root = std::make_unique<TransformNode>();
    for (int g = 0; g < kGroups; ++g) {
      auto group = std::make_unique<TransformNode>();
      const Vector3 place{static_cast<float>(g % 8) * 20 - 70, static_cast<float>(g / 8) * 20 - 40, 200};
      if (g % kMovingEvery == 0)
        group->setPosition(swaying(place));
      else
        group->setPosition(std::make_unique<ConstantKeyframeHandler>(place));
      for (int i = 0; i < kShapesPerGroup; ++i) {
        auto shape = std::make_unique<standin::Shape>();
        shape->box = standin::box({-1, -1, -1}, {1, 1, 1});
        shape->offsetMatrix = standin::translation(static_cast<float>(i % 5) * 3, static_cast<float>(i / 5) * 1.5f, 0);
        shape->surface = static_cast<std::uint32_t>((g * kShapesPerGroup + i) % kSurfaces);
        shape->element = &element;
        standin::attach(std::move(shape), *group);
      }
      attachNode(std::move(group), *scene.root);
    }
    scene.addCamera(&camera);
    scene.setPendingCamera(0);
    scene.update(0.0f);
    prepareReference();
  }

  void frame(float time) {
    scene.update(time);
    scene.render();
  }

  // The frame's draws, grouped as the scene draws them, each group with
  // the state changes made before it (the state cache makes only changes).
  struct Group {
    GLuint texture = 0;  // 0: a plain surface
    bool bindTexture = false;
    bool switchTexturing = false;  // on before a textured group, off before a plain one
    bool enableVertexArray = false;
    bool selectModelview = false;  // back from the projection matrix
    std::vector<const Matrix44*> worlds;
  };

  template <typename Visit>
  void forEachShape(Visit visit) const {
    for (SceneNode* group = scene.root->firstChild.get(); group != nullptr; group = group->nextSibling.get())
      for (SceneNode* node = group->firstChild.get(); node != nullptr; node = node->nextSibling.get())
        visit(*static_cast<const standin::Shape*>(node));
  }

  std::vector<Surface*> surfaceList() const {
    std::vector<Surface*> surfaces;
    for (const auto& surface : scene.surfaces) surfaces.push_back(surface.get());
    return surfaces;
  }

  void prepareReference() {
    std::vector<Group> bySurface(kSurfaces);
    forEachShape([&](const standin::Shape& shape) { bySurface[shape.surface].worlds.push_back(&shape.worldMatrix); });
    const std::vector<Surface*> surfaces = surfaceList();
    for (std::uint32_t index : drawOrder(surfaces)) {
      if (const auto* mat = dynamic_cast<const Mat_LW*>(surfaces[index]))
        bySurface[index].texture = scene.textures[static_cast<std::size_t>(mat->layer1.texture)]->glName;
      reference.push_back(std::move(bySurface[index]));
    }
    // The state one frame leaves to the next: the last group is textured,
    // and drawing a textured surface turns the vertex array off after it.
    GLuint bound = reference.back().texture;
    bool texturing = true, vertexArray = false;
    for (Group& group : reference) {
      const bool textured = group.texture != 0;
      group.bindTexture = textured && group.texture != bound;
      if (textured) bound = group.texture;
      group.switchTexturing = textured != texturing;
      texturing = textured;
      group.enableVertexArray = !vertexArray;
      vertexArray = !textured;
      group.selectModelview = &group == &reference.front();  // the projection was loaded last
    }
  }

  void referenceFrame() const {
    gl.glEnable(GL_CULL_FACE);
    gl.glCullFace(GL_BACK);
    gl.glFrontFace(GL_CCW);
    gl.glEnable(GL_DEPTH_TEST);
    gl.glDepthFunc(GL_LEQUAL);
    gl.glLoadMatrixf(viewMatrix.m);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadMatrixf(projectionMatrix.m);
    for (const Group& group : reference) {
      const bool textured = group.texture != 0;
      if (textured) {
        if (group.bindTexture) gl.glBindTexture(GL_TEXTURE_2D, group.texture);
        gl.glColor4f(1, 1, 1, 1);
        if (group.switchTexturing) gl.glEnable(GL_TEXTURE_2D);
        gl.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        if (group.enableVertexArray) gl.glEnableClientState(GL_VERTEX_ARRAY);
      } else {
        if (group.switchTexturing) gl.glDisable(GL_TEXTURE_2D);
        if (group.enableVertexArray) gl.glEnableClientState(GL_VERTEX_ARRAY);
        gl.glColor3f(1, 1, 1);
      }
      if (group.selectModelview) gl.glMatrixMode(GL_MODELVIEW);
      for (const Matrix44* world : group.worlds) {
        element.bindVertices();
        if (textured) element.bindTexCoords(0);
        gl.glPushMatrix();
        gl.glMultMatrixf(world->m);
        element.draw(2);
        gl.glPopMatrix();
      }
      if (textured) {
        gl.glDepthMask(GL_TRUE);
        gl.glDisable(GL_BLEND);
        gl.glDisable(GL_ALPHA_TEST);
        gl.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        gl.glDisableClientState(GL_VERTEX_ARRAY);
      }
    }
  }

  standin::Element element;
  Camera camera{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 10000.0f, 1.0f, 1.0f};
  Matrix44 viewMatrix = camera.ViewMatrix();
  Matrix44 projectionMatrix = camera.ProjectionMatrix();
  Scene scene;
  std::vector<Group> reference;
};

// `turning`: the camera pans a little every frame (everything stays in
// view), so nothing drawn in one frame can be added again in the next.
void updateAndRender(benchmark::State& state, bool turning) {
  World world;
  float time = 0.0f;
  for (auto _ : state) {
    if (turning) world.camera.SetTarget({0.05f * std::sin(time), 0, 1});
    world.frame(time);
    time += 0.01f;
  }
  state.counters["gl_calls"] = static_cast<double>(callsOfOneFrame([&world] { world.frame(1.0f); }));
  countPerNode(state);
}

void BM_SceneUpdateAndRender(benchmark::State& state) { updateAndRender(state, false); }
BENCHMARK(BM_SceneUpdateAndRender)->Unit(benchmark::kMicrosecond);

void BM_SceneUpdateAndRenderCameraTurning(benchmark::State& state) { updateAndRender(state, true); }
BENCHMARK(BM_SceneUpdateAndRenderCameraTurning)->Unit(benchmark::kMicrosecond);

// The update half alone: matrices, own volumes and bounds, no GL.
void BM_SceneUpdateOnly(benchmark::State& state) {
  World world;
  float time = 0.0f;
  for (auto _ : state) {
    world.scene.update(time);
    time += 0.01f;
  }
  countPerNode(state);
}
BENCHMARK(BM_SceneUpdateOnly)->Unit(benchmark::kMicrosecond);

void BM_ReferencePreparedCalls(benchmark::State& state) {
  World world;
  for (auto _ : state) world.referenceFrame();
  state.counters["gl_calls"] = static_cast<double>(callsOfOneFrame([&world] { world.referenceFrame(); }));
  countPerNode(state);
}
BENCHMARK(BM_ReferencePreparedCalls)->Unit(benchmark::kMicrosecond);

// The draw half alone: the surfaces drawing buckets filled once (as a still
// scene's are), against the same reference, to tell the draw loop's share.
void BM_DrawListOnly(benchmark::State& state) {
  World world;
  RenderList list(kSurfaces);
  world.forEachShape([&list](const standin::Shape& shape) {
    list.add(*shape.element, 0.0f, 0, shape.surface, shape.worldMatrix);
  });
  const std::vector<Surface*> surfaces = world.surfaceList();
  const std::vector<std::uint32_t> order = drawOrder(surfaces);
  for (auto _ : state)
    for (std::uint32_t index : order) surfaces[index]->render(list.bucket(index), 2);
  countPerNode(state);
}
BENCHMARK(BM_DrawListOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
