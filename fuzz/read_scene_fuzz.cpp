// Arbitrary bytes as the stream inside a scene file (what bzip2 delivers
// from one), and what the show does with it: read it, prepare it (on the
// inert GL table: no window), then update and draw it at three times
// through each of its cameras. Mutations of the stream reach the readers;
// those of a compressed file would mostly die at bzip2's own checks. Any
// input must end in a scene drawn, in no scene (another root class) or in
// persistent::exception, without crash, hang, leak, a read of freed memory
// or an allocation the input does not pay for.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "render/inert_gl.h"
#include "scene/scene.h"
#include "support/memory_store.h"

namespace {

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
    fake::MemoryStore store(std::vector<std::uint8_t>(data, data + size));
    root = readRoot(store);
  } catch (persistent::exception) {
    return 0;
  }
  if (auto* scene = dynamic_cast<Scene*>(root.get())) play(*scene);
  return 0;
}
