#pragma once
// The materials of a scene's meshes. The scene's render list calls each
// surface once a frame with all the draw records collected for it. `Surface`
// is a plain colour; `Mat_LW` a LightWave-style surface with up to two
// texture layers (textures of the owning scene), transparency and vertex
// colours. Main thread only.
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "persist/persistent.h"
#include "persist/stored_values.h"
#include "scene/render_list.h"

class Scene;
class TextureImage;

class Surface : public persistent {
 public:
  static constexpr const char storedName[] = "class Surface";

  ~Surface() override = default;

  // Name, colour, diffuse, sort key, culling, then a reference to the scene.
  void serialize(persistent_store& store, bool writing) override;

  virtual bool isTransparent() const { return false; }
  // Plain colour, no textures; face culling by the sidedness.
  virtual void render(std::span<const DrawRecord> records, std::int32_t extraFlags);

  // 0: cull back faces; 1: cull front faces; 2: draw both sides.
  void setSidedness(int sidedness);

  // The texture indices the render list sorts by; -1 for none.
  virtual std::int32_t layer1Texture() const { return -1; }
  virtual std::int32_t layer2Texture() const { return -1; }

  std::string name;
  persist::Colour color{1.0f, 1.0f, 1.0f, 1.0f};
  float diffuse = 1.0f;
  std::uint32_t sortKey = 0;  // stored and loaded; nothing reads it
  bool cullFaces = true;
  GLenum cullMode = GL_BACK;
  Scene* scene = nullptr;

 protected:
  // How the records of one pass are bound and drawn.
  struct Pass {
    bool vertexColors = false;
    int units = 0;                        // texture units in use, from unit 0
    std::array<int, 2> texCoordSet{};     // the coordinate set each unit reads
    bool recordFlags = true;  // record flags | extra flags, fog off where a record asks; else extra flags alone
  };

  // Colour and normal arrays, texture units and coordinate arrays, the
  // vertex array and this surface's face culling, through the state cache.
  void applyArrayState(bool vertexColors, std::uint32_t unitMask) const;
  // For each record: its arrays, its world matrix pushed, its draw.
  static void drawRecords(std::span<const DrawRecord> records, std::int32_t extraFlags, const Pass& pass);
  void sendColour() const;  // color × diffuse, opaque
};

class Mat_LW : public Surface {
 public:
  static constexpr const char storedName[] = "class Mat_LW";

  struct Layer {
    std::int32_t texture = -1;  // index into the scene's textures
    std::uint32_t wrapSCode = 0;  // 0 repeat, 1 clamp, 2 mirrored repeat
    std::uint32_t wrapTCode = 0;
    std::uint32_t magFilter = GL_LINEAR;
    std::uint32_t minFilter = GL_LINEAR_MIPMAP_LINEAR;
    bool enabled = false;

    bool active() const { return enabled && texture != -1; }
  };

  // The surface body, both layers, vertex colours, transparency.
  void serialize(persistent_store& store, bool writing) override;

  bool isTransparent() const override { return transparency > 0.0f; }
  // A layer whose texture the scene does not have draws nothing (the scene
  // warns once).
  void render(std::span<const DrawRecord> records, std::int32_t extraFlags) override;
  std::int32_t layer1Texture() const override { return layer1.texture; }
  std::int32_t layer2Texture() const override { return layer2.texture; }

  Layer layer1;
  Layer layer2;
  float transparency = 0.0f;
  bool useVertexColors = false;

 private:
  struct Textures {
    TextureImage* first = nullptr;   // layer 1's, when active
    TextureImage* second = nullptr;  // layer 2's, when active
  };
  // False when an active layer's texture is missing.
  bool fetchTextures(Textures& textures) const;
  void renderMultitexture(std::span<const DrawRecord> records, std::int32_t extraFlags, const Textures& textures);
  void renderOneUnit(std::span<const DrawRecord> records, std::int32_t extraFlags, const Textures& textures);
};

// The GL wrap mode of a stored wrap code.
GLenum wrapMode(std::uint32_t code);
