#pragma once
// What the shadow layer builds on its first draw and animates after: the
// meshes with their shadow casters, the central mesh's tumble, and the 48
// orbiting objects drawn from the C library's `rand` (never seeded, so one
// build always plays the same show).
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "layers/shadows/shadow_caster.h"
#include "layers/shadows/shadow_volume.h"
#include "render/matrix44.h"
#include "scene/envelope.h"

class MeshPrimitive;

namespace kst {

class Material;

// A mesh of the stock with its caster; `mesh` is null when the stock
// lacked the name when the scene was built.
struct ShadowMesh {
  std::string name;
  MeshPrimitive* mesh = nullptr;
  std::uint64_t serial = 0;  // the mesh's, to tell it from a later one at the same address
  std::unique_ptr<ShadowCaster> caster;
};

struct OrbitingObject {
  float speed = 0;               // degrees per second about its own axis
  Vector3 axis;
  std::int32_t mesh = -1;        // index into the object meshes; -1: none
  Material* litMaterial = nullptr;
  Matrix44 toWorld;              // M1
  Matrix44 fromWorld;            // M2, the inverse of M1
};

struct ShadowScene {
  static constexpr int kRings = 3;
  static constexpr int kObjectsPerRing = 16;
  static constexpr int kObjects = kRings * kObjectsPerRing;

  // Reads the meshes from the mesh stock and draws the objects' random
  // choices, record by record.
  ShadowScene(const std::string& centralName, std::span<const std::string> objectNames,
              std::span<Material* const> objectMaterials);

  // Angles of the central mesh, then every object's matrices, at time t.
  void animate(float t);
  // Objects 0 .. n-1 are drawn at time t.
  static int visibleObjects(float t);
  // Where object i of ring k stands in its ring at time t: (x, height, z).
  Vector3 ringPlacement(int ring, int i, float t) const;

  ShadowMesh central;
  std::vector<ShadowMesh> objectMeshes;
  std::array<Envelope, 3> tumble;  // degrees about x, y and z
  std::array<Envelope, kRings> heights;
  std::array<Envelope, kRings> radii;
  std::array<OrbitingObject, kObjects> objects;
  Matrix44 world;      // W
  Matrix44 fromWorld;  // W⁻¹
  ShadowVolume volume;  // rebuilt for each caster in turn
};

}  // namespace kst
