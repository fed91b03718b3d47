// kstdump: prints the record tree of scene files (.kst) and, for a file that
// does not read, the reason and where. Knows every class the engine
// registers.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/record_dump.h"
#include "persist/scene_file.h"

namespace {

bool dumpFile(const std::string& path) {
  std::cout << path << '\n';
  RecordDump dump(std::cout);
  try {
    readSceneFile(path, &dump);
  } catch (const SceneFileError& error) {
    std::cout << "FAILED: " << error.what() << '\n';
    if (const std::string where = dump.openPath(); !where.empty()) std::cout << "  inside " << where << '\n';
    return false;
  }
  std::cout << dump.recordCount() << " records\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Prints the record tree of Skyward scene files (.kst)"};
  std::vector<std::string> files;
  app.add_option("files", files, "scene files to dump")->required()->check(CLI::ExistingFile);
  CLI11_PARSE(app, argc, argv);

  RegisterClassFactories();
  bool allRead = true;
  for (const std::string& file : files) allRead = dumpFile(file) && allRead;
  return allRead ? 0 : 1;
}
