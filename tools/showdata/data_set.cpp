#include "data_set.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/data_files.h"
#include "scenes/scenes.h"

namespace showdata {

std::filesystem::path outputPath(const std::filesystem::path& folder, const std::string& name) {
  return folder / platform::dataFilePath(name);
}

namespace {

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error(path.string() + ": cannot be created: " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error(path.string() + ": could not be written: " + std::strerror(errno));
}

}  // namespace

void writeDataSet(const std::filesystem::path& folder) {
  const Fonts fonts;
  std::vector<DataFile> files = pictureFiles(fonts);
  for (auto* more : {objectFiles, sceneDataFiles, musicFiles})
    for (DataFile& file : more()) files.push_back(std::move(file));
  for (const DataFile& file : files) {
    std::vector<std::uint8_t> bytes;
    try {
      bytes = file.make();
    } catch (const std::exception& error) {
      throw std::runtime_error(file.name + ": " + error.what());
    }
    writeBytes(outputPath(folder, file.name), bytes);
    std::printf("%-28s %9zu bytes  %s\n", platform::dataFilePath(file.name).c_str(), bytes.size(), file.what.c_str());
    std::fflush(stdout);
  }
}

}  // namespace showdata
