#pragma once
// A scene of the show as plain data: its pictures, surfaces, meshes, node
// tree with the animation keys, colours and fog. The scene generators fill
// one; scene_assembly.h turns it into the engine's Scene and its file.
//
// Camera numbers: the scene lists its cameras in the order a reader meets
// them, depth first, a node before its children and children in the order
// given here; the assembly keeps that order.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/picture_file.h"
#include "core/raster.h"
#include "scene/envelope.h"
#include "scenes/scene_mesh.h"

namespace showdata {

struct TextureRecipe {
  std::string fileName;  // what the scene file stores with the picture
  PictureFormat format = PictureFormat::Jpeg;
  Raster picture;        // one channel: a grey (luminance) texture
};

struct SurfaceRecipe {
  std::string name;
  std::int32_t texture = -1;        // layer 1, coordinate set 0
  std::int32_t secondTexture = -1;  // layer 2, multiplied over, coordinate set 1
  std::uint32_t wrapS = 0;          // layer 1's wrap codes: 0 repeat, 1 clamp
  std::uint32_t wrapT = 0;
  float transparency = 0.0f;        // above 0: blended, drawn after the opaque surfaces
  bool vertexColours = true;
  int sidedness = 0;                // 0 one-sided, 2 both sides
  Colour colour{1.0f, 1.0f, 1.0f};  // without vertex colours and layer 1
};

struct MeshRecipe {
  SceneMesh mesh;
  int texCoordSets = 1;
};

using Motion = std::array<Envelope, 3>;

struct CameraRecipe {
  Vector3 eye;
  Vector3 target{0.0f, 0.0f, 1.0f};
  Vector3 up{0.0f, 1.0f, 0.0f};
  float nearDistance = 1.0f;
  float farDistance = 100.0f;
  float halfWidth = 0.4f;   // of the view window at the near distance
  float halfHeight = 0.3f;
};

struct NodeRecipe {
  enum class Kind { Transform, Shape, Camera, Light };
  Kind kind = Kind::Transform;
  std::string label;  // for people reading the generator; not stored

  // Transform: each part constant, or keyed.
  Vector3 position;
  std::optional<Motion> positionKeys;
  Vector3 angles;  // Euler angles in degrees: heading (y), pitch (x), bank (z)
  std::optional<Motion> angleKeys;
  Vector3 scale{1.0f, 1.0f, 1.0f};
  std::optional<Motion> scaleKeys;

  std::int32_t mesh = -1;  // Shape
  bool withoutFog = false; // Shape: drawn clear of the fog (a sky far beyond its end)
  CameraRecipe camera;     // Camera, in the parent's frame
  Colour lightColour{1.0f, 1.0f, 1.0f};  // Light, at `position` in the parent's frame

  std::vector<NodeRecipe> children;

  NodeRecipe& add(NodeRecipe child) {
    children.push_back(std::move(child));
    return children.back();
  }
};

NodeRecipe transformNode(std::string label, Vector3 position = {});
NodeRecipe shapeNode(std::int32_t mesh);
NodeRecipe cameraNode(const CameraRecipe& camera);
NodeRecipe lightNode(Vector3 position, Colour colour);

struct SceneRecipe {
  std::vector<TextureRecipe> textures;
  std::vector<SurfaceRecipe> surfaces;
  std::vector<MeshRecipe> meshes;
  NodeRecipe root;
  Colour background{0.0f, 0.0f, 0.0f};
  bool fog = false;
  float fogStart = 0.0f;
  float fogEnd = 0.0f;
  Colour fogColour;

  std::int32_t addTexture(TextureRecipe texture);
  std::int32_t addSurface(SurfaceRecipe surface);
  std::int32_t addMesh(SceneMesh mesh, int texCoordSets = 1);
};

// Keys as (time, value) pairs on one span shape, with one behaviour before
// the first and after the last key.
Envelope keyed(std::initializer_list<std::pair<float, float>> keys, std::int32_t shape = kShapeTCB,
               std::int32_t behaviour = kBehaviorConstant);
Envelope keyed(const std::vector<std::pair<float, float>>& keys, std::int32_t shape = kShapeTCB,
               std::int32_t behaviour = kBehaviorConstant);
// One vector's keys: the same times for x, y and z.
Motion keyedVectors(const std::vector<std::pair<float, Vector3>>& keys, std::int32_t shape = kShapeTCB,
                    std::int32_t behaviour = kBehaviorConstant);

}  // namespace showdata

namespace showdata {

// Shows the node's subtree from `from` until `until` only: its scale is 1
// then and 0 otherwise, and while hidden it waits far below the scene, where
// the camera's culling drops it. Stepped keys over [0, loop], repeating when
// `loop` > 0 (the last slot of a loop also holds at the loop's very end);
// without a loop the keys hold their first and last values.
void showDuring(NodeRecipe& node, float from, float until, float loop = 0.0f);

}  // namespace showdata
