// kstdump: prints scene files (.kst). A scene is shown as a tree of its
// surfaces, textures, meshes and nodes; any other file, and with --records
// every file, as the tree of its records; a file that does not read shows
// the records up to the failure, the reason and where. Knows every class the
// engine registers. Needs no display: the pictures of textures are decoded
// and kept, not uploaded.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/record_dump.h"
#include "persist/scene_file.h"
#include "render/gl_table.h"
#include "render/inert_gl.h"
#include "scene/scene.h"
#include "scene_tree.h"

namespace {

bool dumpScene(const std::string& path, bool records) {
  std::cout << path << '\n';
  std::ostringstream recordText;
  RecordDump dump(recordText);
  std::unique_ptr<persistent> root;
  try {
    root = readSceneFile(path, &dump);
  } catch (const SceneFileError& error) {
    std::cout << recordText.str() << "FAILED: " << error.what() << '\n';
    if (const std::string where = dump.openPath(); !where.empty()) std::cout << "  inside " << where << '\n';
    return false;
  }
  auto* scene = dynamic_cast<Scene*>(root.get());
  if (records || scene == nullptr) std::cout << recordText.str() << dump.recordCount() << " records\n";
  if (scene != nullptr) {
    // Pictures were read with no GL table and are kept as they were stored;
    // the preparation's texture report then finds GL calls that do nothing.
    InstallInertGLTable();
    scene->prepareAfterLoad(path.c_str());  // names resolved, tree placed at time 0
    printSceneTree(std::cout, *scene);
    ResetGLTable();
  }
  return true;
}

// A failure other than a damaged record (memory, a picture the decoder
// gives up on, anything the preparation throws) ends this file, not the tool.
bool dumpFile(const std::string& path, bool records) {
  try {
    return dumpScene(path, records);
  } catch (const std::exception& error) {
    ResetGLTable();
    std::cout.flush();
    std::cerr << "kstdump: " << path << ": " << error.what() << '\n';
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Prints Skyward scene files (.kst)"};
  std::vector<std::string> files;
  bool records = false;
  app.add_option("files", files, "scene files to dump")->required()->check(CLI::ExistingFile);
  app.add_flag("--records", records, "also list every record with its offset in the decompressed stream");
  CLI11_PARSE(app, argc, argv);

  RegisterClassFactories();
  bool allRead = true;
  for (const std::string& file : files) allRead = dumpFile(file, records) && allRead;
  return allRead ? 0 : 1;
}
