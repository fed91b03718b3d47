// Arbitrary bytes as a scene file, and what the show does with one: read
// it, prepare it (on the inert GL table: no window), then update and draw it
// at three times through each of its cameras. Bytes that start as a bzip2
// stream are read as a whole file; any others as the stream inside one (the
// record bytes, where mutations reach the readers rather than bzip2's
// checks). Any input must end in a scene drawn, in no scene (another root
// class) or in persistent::exception, without crash, hang, leak, a read of
// freed memory or an allocation the input does not pay for.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "persist/persistent_file.h"
#include "render/inert_gl.h"
#include "scene/scene.h"
#include "support/memory_store.h"

namespace {

bool isBzip2(const std::uint8_t* data, std::size_t size) {
  return size >= 3 && data[0] == 'B' && data[1] == 'Z' && data[2] == 'h';
}

std::unique_ptr<persistent> readAsFile(const std::uint8_t* data, std::size_t size) {
  FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (file == nullptr) return nullptr;
  persistent_file store(file, persistent_file::Reading, true);
  return readRoot(store);
}

std::unique_ptr<persistent> readAsStream(const std::uint8_t* data, std::size_t size) {
  fake::MemoryStore store(std::vector<std::uint8_t>(data, data + size));
  return readRoot(store);
}

void play(Scene& scene) {
  scene.prepareAfterLoad("fuzz input");
  for (std::size_t camera = 0; camera < scene.cameras.size(); ++camera) {
    scene.setPendingCamera(static_cast<std::int32_t>(camera));
    for (const float time : {0.0f, 1.5f, 7.25f}) {
      scene.update(time);
      scene.render();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (RegisterClassFactories(), InstallInertGLTable(), true);
  (void)ready;
  std::unique_ptr<persistent> root;
  try {
    root = isBzip2(data, size) ? readAsFile(data, size) : readAsStream(data, size);
  } catch (persistent::exception) {
    return 0;
  }
  if (auto* scene = dynamic_cast<Scene*>(root.get())) play(*scene);
  return 0;
}
