#include "data_set.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/data_files.h"
#include "scenes/scenes.h"
#include "stocks/data_set_scale.h"

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

// The data set's scale for the engine, as a file of the set; nothing at
// scale 1.
DataFile scaleMark(int scale) {
  return {kst::kDataSetScaleFile, "the data set's scale: its pictures' pixels for each layout pixel",
          [scale] {
            const std::string line = std::to_string(scale) + "\n";
            return std::vector<std::uint8_t>(line.begin(), line.end());
          }};
}

void removeScaleMark(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path mark = outputPath(folder, kst::kDataSetScaleFile);
  if (std::filesystem::remove(mark, error) || !error) return;
  throw std::runtime_error(mark.string() + ": cannot be removed: " + error.message());
}

}  // namespace

void writeDataSet(const std::filesystem::path& folder, int scale) {
  const Fonts fonts;
  std::vector<DataFile> files = pictureFiles(fonts, scale);
  for (DataFile& file : objectFiles()) files.push_back(std::move(file));
  for (DataFile& file : sceneDataFiles(scale)) files.push_back(std::move(file));
  for (DataFile& file : musicFiles()) files.push_back(std::move(file));
  if (scale > 1) files.push_back(scaleMark(scale));
  else removeScaleMark(folder);
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
