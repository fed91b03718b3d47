// kstdump on scene files the test writes: the tool knows every stored
// class without a device, reads textures with no GL at all, and prints a
// scene as a tree.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>
#include <string>

#include "persist/class_registration.h"
#include "persist/scene_file.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "support/picture_files.h"
#include "support/scene_stand_ins.h"

namespace {

template <typename ImageType>
std::unique_ptr<ImageType> counting(int width, int height) {
  auto image = std::make_unique<ImageType>();
  image->setSize(width, height);
  for (std::size_t i = 0; i < image->byteSize(); ++i) image->pixels[i] = static_cast<std::uint8_t>(i);
  return image;
}

// What kstdump prints for file, and its exit status; `limits` go before
// it in the shell (ulimit settings).
std::string runKstdump(const std::string& file, int& status, const std::string& limits = "") {
  const std::string command = limits + std::string(SKYWARD_KSTDUMP) + " '" + file + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  status = pclose(pipe);
  return out;
}

TEST(Kstdump, ReadsATextureRecordWithoutGL) {
  const std::string folder = fake::freshFolder("kstdump");
  const fake::Picture art = fake::Picture::make(2, 2, 3, [](int x, int y) {
    return std::array<int, 3>{100 * x, 100 * y, 50};
  });
  ASSERT_TRUE(fake::writePicture(art, folder + "/art.png", fake::PictureFormat::Png));
  // One picture of each layout: raw pixels, an embedded file, raw grey.
  TextureImage texture;
  texture.image32 = counting<Image32>(2, 1);
  texture.image24 = std::make_unique<Image24>();
  texture.image24->name = folder + "/art.png";
  texture.image8 = counting<Image8>(2, 2);
  writeSceneFile(folder + "/textures.kst", texture);

  int status = -1;
  const std::string out = runKstdump(folder + "/textures.kst", status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("#0 class TextureImage\n1 records\n"), std::string::npos) << out;
}

TEST(Kstdump, PrintsASceneAsATree) {
  const std::string folder = fake::freshFolder("kstdump");
  RegisterClassFactories();
  Scene scene;
  auto lw = std::make_unique<Mat_LW>();
  lw->name = "wood";
  lw->layer1 = {0, 1, 0, GL_LINEAR, GL_LINEAR, true};
  scene.addSurface(std::move(lw));
  auto texture = std::make_unique<TextureImage>();
  texture->upload(counting<Image24>(8, 4));
  scene.addTexture(std::move(texture));
  scene.addMesh(standin::twoTriangleMesh("wood", "stone"));
  writeScene(folder + "/scene.kst", scene);

  int status = -1;
  const std::string out = runKstdump(folder + "/scene.kst", status);
  EXPECT_EQ(status, 0) << out;
  // The second sub-mesh names no surface: it gets the surface count, 1.
  for (const char* line : {"#0 class Mat_LW \"wood\"", "layer 1: texture 0, wrap clamp / repeat", "#0 8x4 24-bit",
                           "sub-mesh 0 \"wood\" -> surface 0", "sub-mesh 1 \"stone\" -> surface 1",
                           "chunk 1: sub-mesh 1, 1 triangles, 3 vertices", "nodes (at time 0):\n  (none)"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

// Not only a damaged record: whatever stops a file (here the memory, once
// the address space is limited, for a texture that really holds 256 MB of
// pixels) ends with the tool, the file and the reason, and exit code 1.
TEST(Kstdump, AnyFailureNamesTheFileAndTheReason) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizers need the address space that the limit takes away";
#endif
  const std::string path = fake::freshFolder("kstdump") + "/large.kst";
  {
    TextureImage texture;
    texture.image32 = std::make_unique<Image32>();
    texture.image32->setSize(8192, 8192);  // zeros: a small file all the same
    writeSceneFile(path, texture);
  }
  int status = -1;
  const std::string out = runKstdump(path, status, "ulimit -v 600000; ");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << out;
  EXPECT_NE(out.find("kstdump: " + path + ": "), std::string::npos) << out;
}

}  // namespace
