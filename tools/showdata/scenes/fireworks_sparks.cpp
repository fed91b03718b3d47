// The fireworks' light: sparks as streaks on rays spread evenly over a
// sphere (a Fibonacci spiral, each ray's length jittered a little), each
// streak two crossed strips so that it shows from every side, its colour
// bright at the head and fading to clear at the tail; and a rocket's trail.
#include <cmath>

#include "scenes/fireworks_parts.h"

namespace showdata::fireworks {
namespace {

constexpr int kSparks = 180;

// Two crossed strips from `tail` to `head`, `width` wide, the streak
// picture across them (v) and the colour's alpha along them.
void streak(SceneMesh& mesh, Vector3 tail, Vector3 head, float width, Colour colour) {
  const Vector3 along = Normalise(head - tail);
  const Vector3 helper = std::fabs(along.y) < 0.9f ? Vector3{0, 1, 0} : Vector3{1, 0, 0};
  const Vector3 across[2] = {Normalise(Cross(along, helper)), Normalise(Cross(along, Cross(along, helper)))};
  for (const Vector3& side : across) {
    auto corner = [&](Vector3 at, float v, float alpha) {
      SceneVertex vertex;
      vertex.position = at + side * ((v - 0.5f) * width);
      vertex.normal = Normalise(Cross(side, along));
      vertex.u = alpha;
      vertex.v = v;
      vertex.colour = colour;
      vertex.alpha = alpha;
      return mesh.add(vertex);
    };
    const std::uint32_t a = corner(tail, 0.0f, 0.0f), b = corner(head, 0.0f, 1.0f), c = corner(head, 1.0f, 1.0f), d = corner(tail, 1.0f, 0.0f);
    mesh.quad(a, b, c, d, kSpark);
  }
}

}  // namespace

SceneMesh sparkBurst(Colour colour, float brightness, Random& random) {
  SceneMesh mesh;
  const float golden = 2.39996323f;
  for (int k = 0; k < kSparks; ++k) {
    const float y = 1.0f - 2.0f * (k + 0.5f) / kSparks;
    const float r = std::sqrt(1.0f - y * y);
    const Vector3 ray{r * std::cos(golden * k), y, r * std::sin(golden * k)};
    const float reach = random.between(0.86f, 1.0f);
    // Warmer, whiter heads: the hot core of each spark.
    streak(mesh, ray * (reach * 0.7f), ray * reach, 0.03f, mix(colour, {1.0f, 1.0f, 0.95f}, 0.3f) * brightness);
  }
  return mesh;
}

SceneMesh rocketTrail() {
  SceneMesh mesh;
  streak(mesh, {0.0f, -45.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, 2.6f, {1.0f, 0.85f, 0.6f});
  return mesh;
}

}  // namespace showdata::fireworks
