#pragma once
// One animated 3D scene: its surfaces, textures and meshes, the tree of
// nodes that places, animates and draws them, the cameras and lights the
// nodes register, fog and two colours. A scene is read from a scene file
// (and prepared) on the thread that loads it, then updated and drawn on the
// main thread only.
//
// The lists own their entries. A list entry may be null: a record of the
// wrong class in a scene file leaves a hole, which draws nothing. Indices
// that point past a list or at a hole draw nothing either; each such index
// is reported once, naming the scene file.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "persist/persistent.h"
#include "persist/stored_values.h"

class Camera;
class Primitive;
class RenderList;
class SceneNode;
class Surface;
class TextureImage;
struct LightRecord;

class Scene : public persistent {
 public:
  static constexpr const char storedName[] = "class Scene";

  Scene();
  // Surfaces first, then meshes and textures, then the node tree.
  ~Scene() override;
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Surfaces, textures, meshes (each as records), the root, then the colours
  // and fog. Reading tells the root its scene.
  void serialize(persistent_store& store, bool writing) override;

  // Cameras and lights are held by their nodes; the scene only lists them.
  // A scene read from a file lists those of the nodes in its tree only, in
  // the order their records were completed.
  void addCamera(Camera* camera);
  void addLight(LightRecord* light);
  // The scene takes the mesh; returns its index.
  std::uint32_t addMesh(std::unique_ptr<Primitive> mesh);
  // For scenes built in code (loading fills these lists itself): the scene
  // takes the entry, becomes a surface's scene, and returns the index.
  std::uint32_t addTexture(std::unique_ptr<TextureImage> texture);
  std::uint32_t addSurface(std::unique_ptr<Surface> surface);
  // Becomes the current camera at the start of the next render.
  void setPendingCamera(std::int32_t index);

  void update(float time);
  // Draws the tree through the current camera (nothing while there is none).
  void render();
  // After reading: textures named (by their picture file, else by the scene
  // file and their place) and reported, surface names resolved to indices,
  // meshes prepared, the tree updated at time 0. `source` names the scene in
  // warnings (the file it was read from).
  void prepareAfterLoad(const char* source = "");

  // What the show's layers change in a scene (its current camera, the
  // cameras' near distances), back as prepareAfterLoad found it: a scene
  // taken back from a stock after a move back then draws as one read fresh.
  void returnToAsRead();

  // The camera of currentCamera; null while there is none.
  Camera* currentCameraObject() const;

  // The entry at `index`, or null: for -1 (none) quietly; for an index past
  // the list or at a hole with one warning per index. Main thread only once
  // loaded.
  Primitive* meshAt(std::int32_t index);
  TextureImage* textureAt(std::int32_t index);

  // The file the scene was read from, as prepareAfterLoad was told.
  const std::string& source() const { return source_; }

  std::vector<Camera*> cameras;
  std::vector<LightRecord*> lights;
  std::vector<std::unique_ptr<TextureImage>> textures;
  std::vector<std::unique_ptr<Primitive>> meshes;
  std::vector<std::unique_ptr<Surface>> surfaces;
  persist::Colour auxColor{};  // stored and loaded; nothing reads it
  persist::Colour backgroundColor{0.0f, 0.0f, 0.0f, 1.0f};
  bool fogEnabled = false;
  float fogStart = 0.0f;
  float fogEnd = 0.0f;
  persist::Colour fogColor{};
  std::int32_t currentCamera = -1;
  std::int32_t pendingCamera = -1;
  std::unique_ptr<SceneNode> root;

 private:
  template <typename Entry>
  Entry* entryAt(const std::vector<std::unique_ptr<Entry>>& list, std::int32_t index, const char* kind);
  enum class Fault { OutOfRange, Hole };
  // One warning per kind and index, naming the scene file.
  void warnOnce(const char* kind, std::int64_t index, Fault fault);
  void resolveSurfaceNames(Primitive& mesh);
  void nameTextures();
  // After reading: drops the camera and light entries of nodes outside the tree.
  void keepListingsOfTree();
  Camera* renderCamera();
  void setUpFog() const;
  // The frame's buckets with their surfaces (a hole warns once).
  void drawList(Camera& camera, RenderList& renderList);
  // Whether a mesh was replaced, added, removed, rebuilt, given other
  // surface indices or another box since the last look: shapes read their
  // volumes from them, and draw them.
  bool meshesChanged();
  // Moves to a new view when the camera or the bucket count differ from the
  // last render's; true when they are the same.
  bool sameView(const Camera& camera);

  std::string source_;
  struct AsRead {
    std::int32_t currentCamera = -1;
    std::int32_t pendingCamera = -1;
    std::vector<float> nearDistances;  // of `cameras`, in order
  };
  std::optional<AsRead> asRead_;  // set by prepareAfterLoad
  std::set<std::pair<std::string, std::int64_t>> warned_;
  struct MeshStamp {
    const Primitive* mesh;
    std::uint64_t generation;
    persist::BoundingBox box;
    bool operator==(const MeshStamp&) const = default;
  };
  std::vector<MeshStamp> meshStamps_;  // as last seen
  // How the last render saw the scene (the camera's placement and window,
  // the bucket count), and its number: records kept in one view are added
  // again only in the same one.
  std::array<float, 14> viewKey_{};
  std::uint64_t view_ = 0;
  // The frame's draw records, kept from one render to the next so that the
  // buckets keep their room; empty between renders.
  std::unique_ptr<RenderList> frameList_;
  std::vector<Surface*> frameSurfaces_;
};
