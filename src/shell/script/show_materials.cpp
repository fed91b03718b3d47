#include "shell/script/show_materials.h"

#include <array>
#include <memory>
#include <vector>

namespace shell::script {
namespace {

struct LitColours {
  persist::Colour ambient;
  persist::Colour diffuse;
  persist::Colour specular;
  float shininess;
};

constexpr persist::Colour kDefaultAmbient{0.2f, 0.2f, 0.2f, 1.0f};

// Quotients of 255 are written as such: they are picked colour bytes.
const std::array<LitColours, 8> kLitColours{{
    {kDefaultAmbient, {0.0f, 0.3f, 0.7f, 1.0f}, {0.6f, 1.0f, 1.0f, 1.0f}, 1.0f},
    {kDefaultAmbient, {0.0f, 0.9f, 0.9f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 1.0f},
    {kDefaultAmbient, {0.9f, 0.9f, 0.9f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 1.0f},
    {{0.0f, 0.2f, 0.0f, 0.0f}, {175 / 255.0f, 225 / 255.0f, 157 / 255.0f, 0.0f}, {0.8f, 1.0f, 0.8f, 0.0f}, 0.9f},
    {{0.0f, 0.7f, 0.7f, 0.0f}, {62 / 255.0f, 163 / 255.0f, 174 / 255.0f, 0.0f}, {0.8f, 1.0f, 1.0f, 0.0f}, 0.9f},
    {{0.0f, 0.0f, 0.0f, 0.0f}, {1.0f, 0.91f, 0.78f, 0.0f}, {1.0f, 1.0f, 1.0f, 0.0f}, 0.9f},
    {{0.0f, 0.0f, 0.0f, 0.0f}, {0.78f, 1.0f, 0.91f, 0.0f}, {1.0f, 1.0f, 1.0f, 0.0f}, 0.9f},
    {{0.0f, 0.0f, 0.0f, 0.0f}, {0.78f, 0.78f, 1.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 0.0f}, 0.9f},
}};

std::array<std::unique_ptr<kst::Mat_Lit>, 8>& kept() {
  static std::array<std::unique_ptr<kst::Mat_Lit>, 8> materials;
  return materials;
}

std::vector<std::unique_ptr<kst::Material>>& keptFromFiles() {
  static std::vector<std::unique_ptr<kst::Material>> materials;
  return materials;
}

}  // namespace

kst::Mat_Lit* litMaterial(LitMaterial which) {
  const auto index = static_cast<std::size_t>(which);
  std::unique_ptr<kst::Mat_Lit>& material = kept().at(index);
  if (!material) {
    const LitColours& colours = kLitColours[index];
    material = std::make_unique<kst::Mat_Lit>();
    material->ambient = colours.ambient;
    material->diffuse = colours.diffuse;
    material->specular = colours.specular;
    material->shininess = colours.shininess;
  }
  return material.get();
}

void keepMaterial(std::unique_ptr<kst::Material> material) { keptFromFiles().push_back(std::move(material)); }

void releaseMaterials() {
  for (auto& material : kept()) material.reset();
  keptFromFiles().clear();
}

}  // namespace shell::script
