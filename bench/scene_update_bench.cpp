// Cost of updating a scene tree: 1,000 transform nodes, each with LightWave
// envelopes on position, rotation (Euler angles) and scale, updated for a
// frame's time from the root. The reference evaluates the same 9,000
// envelopes alone in a loop at the same times, so the difference is what
// the matrices, links and bounds of the tree cost on top of the animation.
// Target: the update at most twice the reference.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/nodes/transform_node.h"

namespace {

constexpr int kNodes = 1000;
constexpr int kChildrenPerNode = 4;
constexpr int kKeys = 6;
constexpr int kFrames = 64;

// A repeating curve of six TCB keys, different for every channel.
void fill(Envelope& envelope, std::uint32_t seed, float base, float swing) {
  for (int k = 0; k < kKeys; ++k) {
    seed = seed * 1664525u + 1013904223u;
    const float jitter = static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
    envelope.addKey(static_cast<float>(k) * 0.8f, base + swing * std::sin(k + jitter * 3.0f), 0.1f, -0.2f, 0.0f);
  }
  envelope.setBehaviors(kBehaviorRepeat);
}

std::unique_ptr<LW6KeyframeHandler> animated(std::uint32_t seed, float base, float swing) {
  auto handler = std::make_unique<LW6KeyframeHandler>();
  fill(handler->x, seed * 3 + 0, base, swing);
  fill(handler->y, seed * 3 + 1, base, swing);
  fill(handler->z, seed * 3 + 2, base, swing);
  return handler;
}

struct Tree {
  std::unique_ptr<TransformNode> root;
  std::vector<const LW6KeyframeHandler*> handlers;  // three per node
};

// Node i hangs under node (i − 1) / 4: a four-way tree about five levels deep.
Tree buildTree() {
  Tree tree;
  std::vector<TransformNode*> nodes;
  for (std::uint32_t i = 0; i < kNodes; ++i) {
    auto node = std::make_unique<TransformNode>();
    auto position = animated(i * 3, 0.0f, 2.0f);
    auto angles = animated(i * 3 + 1, 0.0f, 90.0f);
    auto scale = animated(i * 3 + 2, 1.0f, 0.2f);
    tree.handlers.insert(tree.handlers.end(), {position.get(), angles.get(), scale.get()});
    node->setPosition(std::move(position));
    node->setRotation(std::make_unique<EulerAnglesRotationControler>(std::move(angles)));
    node->setScale(std::move(scale));
    nodes.push_back(node.get());
    if (i == 0)
      tree.root = std::move(node);
    else
      attachNode(std::move(node), *nodes[(i - 1) / kChildrenPerNode]);
  }
  return tree;
}

float frameTime(int frame) { return static_cast<float>(frame) * 0.0173f; }

void reportPerNode(benchmark::State& state) {
  state.counters["per_node"] =
      benchmark::Counter(kNodes * kFrames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TreeUpdate(benchmark::State& state) {
  const Tree tree = buildTree();
  const Matrix44 identity;
  for (auto _ : state) {
    for (int frame = 0; frame < kFrames; ++frame) tree.root->update(frameTime(frame), identity);
    benchmark::DoNotOptimize(tree.root->bounds);
  }
  reportPerNode(state);
}
BENCHMARK(BM_TreeUpdate)->Unit(benchmark::kMicrosecond);

// Reference: the same handlers evaluated alone, node by node.
void BM_ReferenceEnvelopesAlone(benchmark::State& state) {
  const Tree tree = buildTree();
  for (auto _ : state) {
    float sum = 0.0f;
    for (int frame = 0; frame < kFrames; ++frame)
      for (const LW6KeyframeHandler* handler : tree.handlers) {
        const Vector3 v = handler->evaluate(frameTime(frame));
        sum += v.x + v.y + v.z;
      }
    benchmark::DoNotOptimize(sum);
  }
  reportPerNode(state);
}
BENCHMARK(BM_ReferenceEnvelopesAlone)->Unit(benchmark::kMicrosecond);

}  // namespace
