#pragma once
// A LightWave surface as the reader records it, with the image-map texture
// layers of its blocks placed by channel.
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/vector3.h"

namespace LW {

// LightWave's glossiness (0..1) as a specular exponent, 2^(10·g + 2).
inline float GlossinessExponent(float glossiness) {
  return static_cast<float>(std::exp2(10.0 * static_cast<double>(glossiness) + 2.0));
}

enum Projection : int { kUnknownProjection = -1, kPlanar = 0, kCylindrical = 1, kSpherical = 2, kCubic = 3, kUV = 5 };

struct TextureLayer {
  Vector3 size{1.0f, 1.0f, 1.0f};
  Vector3 center{};
  Vector3 rotation{};  // degrees about x, y, z
  bool worldCoordinates = false;
  std::string uvMapName;
  std::string imageName;
  int projection = kPlanar;
  std::uint8_t axis = 1;  // 1 = X, 2 = Y, 3 = Z
  int wrapWidth = 1;
  int wrapHeight = 1;
  bool enabled = true;
  int blendMode = 7;
  float wrapCountWidth = 1.0f;
  float wrapCountHeight = 1.0f;
  std::uint32_t channel = 0;
};

class Surface {
 public:
  explicit Surface(std::string fullName) : name(std::move(fullName)) {}
  virtual ~Surface() = default;

  std::string name;
  std::vector<std::unique_ptr<TextureLayer>> colorLayers;
  std::vector<std::unique_ptr<TextureLayer>> diffuseLayers;
  std::vector<std::unique_ptr<TextureLayer>> transparencyLayers;
  std::array<float, 3> color{};  // no COLR: black
  float diffuse = 0.0f;
  float luminosity = 0.0f;
  float specular = 0.0f;
  float reflection = 0.0f;
  float transparency = 0.0f;
  float translucency = 0.0f;
  float glossiness = GlossinessExponent(0.4f);
  float sharpness = 0.0f;
  float bump = 1.0f;
  float smoothingAngle = 0.0f;
  int reflectionOptions = 0;
  int sidedness = 1;
  std::string colorMapName;
  float additiveTransparency = 0.0f;
};

struct Clip {
  std::uint32_t index = 0;
  std::string fileName;
};

}  // namespace LW
