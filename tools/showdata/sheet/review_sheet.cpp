#include "sheet/review_sheet.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <span>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "core/picture_file.h"
#include "core/text.h"
#include "data_set.h"
#include "lightwave/lw_error.h"
#include "lightwave/mesh_building.h"
#include "render/robust_mesh.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/scene.h"
#include "scenes/hall_layout.h"
#include "scenes/scenes.h"
#include "stocks/scene_stock.h"
#include "sheet/gl_canvas.h"
#include "sheet/object_views.h"
#include "sheet/scene_frames.h"

namespace showdata {
namespace {

constexpr int kSheetWidth = 1680;
constexpr int kMargin = 16;
constexpr int kLabelHeight = 24;
constexpr int kSceneWidth = 320;  // also tall enough for the objects' square views
constexpr int kSceneHeight = 240;
const Colour kBackground{0.09f, 0.095f, 0.12f};
const Colour kMaskGround{0.05f, 0.08f, 0.22f};

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be opened");
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class Sheet {
 public:
  Sheet(int height, const Font& font) : picture_(kSheetWidth, height, 3, 0.0f), font_(font) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < kSheetWidth; ++x) picture_.set(x, y, kBackground);
  }
  // A tile with its label underneath.
  void place(const Raster& tile, int left, int top, const std::string& label) {
    for (int y = 0; y < tile.height; ++y)
      for (int x = 0; x < tile.width; ++x)
        if (picture_.inside(left + x, top + y)) picture_.set(left + x, top + y, tile.colour(x, y));
    paintMask(picture_, font_.render(label, 13), left, top + tile.height + 6, {0.8f, 0.82f, 0.88f}, 1.0f);
  }
  const Raster& picture() const { return picture_; }

 private:
  Raster picture_;
  const Font& font_;
};

// A mask shown as the show uses it: white light over a dark blue ground.
Raster maskTile(const Raster& mask) {
  Raster tile(mask.width, mask.height, 3);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) tile.set(x, y, mix(kMaskGround, {1, 1, 1}, mask.at(x, y)[0]));
  return tile;
}

// A colour picture over a checkerboard through its alpha picture.
Raster cutOutTile(const Raster& colour, const Raster& alpha) {
  Raster tile(colour.width, colour.height, 3);
  for (int y = 0; y < colour.height; ++y)
    for (int x = 0; x < colour.width; ++x) {
      const Colour check = ((x / 16 + y / 16) % 2 == 0) ? Colour{0.3f, 0.3f, 0.33f} : Colour{0.2f, 0.2f, 0.23f};
      tile.set(x, y, mix(check, colour.colour(x, y), alpha.at(x, y)[0]));
    }
  return tile;
}

// The picture at its size in the layout: a data set drawn at a larger scale
// is brought back to it, so that the sheet's places fit.
Raster loadPicture(const std::filesystem::path& folder, const std::string& name, int scale) {
  Raster picture = decodePicture(readFile(outputPath(folder, name)), name);
  return scale > 1 ? resized(picture, picture.width / scale, picture.height / scale) : picture;
}

std::string fileLabel(const std::string& name) { return name.substr(name.rfind('\\') + 1); }

int placePictures(Sheet& sheet, const std::filesystem::path& folder, int scale) {
  const char* backdrops[5] = {"demo\\loading.jpg", "demo\\Skyward.jpg", "demo\\backs\\1.jpg", "demo\\frontdrop.jpg", "demo\\backs\\biglogo.jpg"};
  for (int i = 0; i < 5; ++i)
    sheet.place(resized(loadPicture(folder, backdrops[i], scale), 320, 240), kMargin + i * 332, kMargin, backdrops[i]);
  const int top = kMargin + 240 + kLabelHeight + kMargin;
  int left = kMargin;
  for (const char* filament : {"demo\\fil1.png", "demo\\fil2.png", "demo\\fil3.png"}) {
    sheet.place(maskTile(loadPicture(folder, filament, scale)), left, top, fileLabel(filament));
    left += 64 + 24;
  }
  sheet.place(maskTile(loadPicture(folder, "demo\\greetings.jpg", scale)), left, top, "demo\\greetings.jpg");
  sheet.place(maskTile(loadPicture(folder, "demo\\cite-alpha.png", scale)), left + 56, top + 256 + kLabelHeight + 8, "demo\\cite-alpha.png");
  left += 512 + kMargin;
  sheet.place(cutOutTile(loadPicture(folder, "demo\\pupic.jpg", scale), loadPicture(folder, "demo\\pupic_a.jpg", scale)), left, top,
              "pupic (pupic.jpg through pupic_a.jpg)");
  sheet.place(loadPicture(folder, "demo\\pupic.jpg", scale), left + 320 + kMargin, top, "demo\\pupic.jpg");
  return top + 600 + kLabelHeight + kMargin;
}

bool closedTwoManifold(kst::RobustMesh& mesh) {
  const kst::EdgeTable& edges = mesh.Topology();
  for (std::size_t e = 0; e < edges.edgeCount(); ++e) {
    const std::vector<std::uint32_t> faces = edges.FaceRefs(e);
    if (faces.size() != 2 || kst::FaceRef::Forward(faces[0]) == kst::FaceRef::Forward(faces[1])) return false;
  }
  return true;
}

int placeObjects(Sheet& sheet, const std::filesystem::path& folder, int top) {
  const char* objects[5] = {"demo\\intro\\objet\\tsark.lwo", "demo\\ombres\\kst.lwo", "demo\\ombres\\1.lwo", "demo\\ombres\\2.lwo",
                            "demo\\ombres\\3.lwo"};
  const float angles[3][2] = {{0.0f, 0.0f}, {35.0f, 25.0f}, {120.0f, -35.0f}};
  constexpr int kView = 240;
  const ObjectViews views(kView);
  for (int i = 0; i < 5; ++i) {
    const std::string path = outputPath(folder, objects[i]).string();
    std::unique_ptr<kst::RobustMesh> mesh = LW::LoadMesh(path.c_str(), nullptr);
    if (!mesh) throw std::runtime_error(std::string(objects[i]) + ": not an LWO2 object");
    mesh->Build(kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
    const int left = kMargin + (i % 2) * (3 * (kView + 8) + 2 * kMargin), row = top + (i / 2) * (kView + kLabelHeight + kMargin);
    for (int a = 0; a < 3; ++a) {
      const std::string label = a > 0 ? "" : std::string(objects[i]) + "  " + std::to_string(mesh->triangleCount()) + " triangles, " +
                                                 std::to_string(mesh->surfaceCount()) + " surfaces" +
                                                 (closedTwoManifold(*mesh) ? ", closed" : ", OPEN");
      sheet.place(views.view(*mesh, angles[a][0], angles[a][1]), left + a * (kView + 8), row, label);
    }
  }
  return top + 3 * (kView + kLabelHeight + kMargin);
}

// The hall's light volumes, drawn over its frames as the show draws them.
std::vector<std::unique_ptr<MeshPrimitive>> lightVolumes(const std::filesystem::path& folder) {
  std::vector<std::unique_ptr<MeshPrimitive>> volumes;
  for (const hall::Shaft& shaft : hall::shafts()) volumes.push_back(loadLightVolume(outputPath(folder, shaft.file).string()));
  return volumes;
}

int sceneFrameCount() {
  int count = 0;
  for (const SceneFile& file : sceneFiles()) count += 3 * file.use.cameras;
  return count;
}

// Every scene through each camera the show uses, at its start, middle and
// end (an endless scene over the time it is seen), five frames to a row.
void placeScenes(Sheet& sheet, const std::filesystem::path& folder, int top) {
  const auto volumes = lightVolumes(folder);
  std::vector<MeshPrimitive*> shafts;
  for (const auto& volume : volumes) shafts.push_back(volume.get());
  int tile = 0;
  kst::SceneStock stock;
  for (const SceneFile& file : sceneFiles()) {
    Scene* scene = &readThroughStock(stock, outputPath(folder, file.name).string());
    const bool hall = file.recipe == mosqueScene;
    const float end = file.use.seen();
    for (int camera = 0; camera < file.use.cameras; ++camera)
      for (float time : {0.0f, 0.5f * end, end}) {
        char label[96];
        std::snprintf(label, sizeof label, "%s  camera %d at %.1f s", fileLabel(file.name).c_str(), camera, time);
        const Raster frame = sceneFrame(*scene, camera, time, kSceneWidth, kSceneHeight,
                                        hall ? std::span<MeshPrimitive* const>(shafts) : std::span<MeshPrimitive* const>());
        sheet.place(frame, kMargin + (tile % 5) * (kSceneWidth + 12), top + (tile / 5) * (kSceneHeight + kLabelHeight + kMargin), label);
        ++tile;
      }
  }
}

}  // namespace

void drawReviewSheet(const std::filesystem::path& folder, const std::string& sheetFile, int scale) {
  const Font font("DejaVuSans.ttf");
  const int sceneRows = (sceneFrameCount() + 4) / 5;
  Sheet sheet(kMargin + 240 + kLabelHeight + kMargin + 600 + kLabelHeight + kMargin + 3 * (240 + kLabelHeight + kMargin) +
                  sceneRows * (kSceneHeight + kLabelHeight + kMargin),
              font);
  const int objectsTop = placePictures(sheet, folder, scale);
  const GLCanvas canvas(kSceneWidth, kSceneHeight);
  try {
    placeScenes(sheet, folder, placeObjects(sheet, folder, objectsTop));
  } catch (const LW::LoadError& error) {
    throw std::runtime_error(std::string("an object cannot be loaded: ") + error.what());
  }
  const std::vector<std::uint8_t> bytes = encodePicture(sheet.picture(), PictureFormat::Png);
  std::ofstream out(sheetFile, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error(sheetFile + ": the sheet cannot be written");
  std::printf("%-28s %9zu bytes  review sheet\n", sheetFile.c_str(), bytes.size());
}

}  // namespace showdata
