#include "shell/showfile/data_folder.h"

#include <exception>
#include <future>
#include <filesystem>
#include <map>
#include <utility>

#include "persist/class_registration.h"
#include "platform/data_files.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "stocks/source_stamp.h"

namespace shell::showfile {
namespace {

// A scene that cannot be read has no count: the show says so when it loads it.
std::optional<int> cameraCount(const std::string& file) {
  try {
    if (const std::unique_ptr<Scene> scene = readScene(platform::dataFilePath(file), true))
      return static_cast<int>(scene->cameras.size());
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

// Each version of a file is read once, the scenes not read yet side by side.
std::map<std::string, std::optional<int>> cameraCounts(const std::vector<std::string>& files) {
  static std::map<std::string, std::pair<kst::SourceStamp, std::optional<int>>> counted;
  RegisterClassFactories();
  std::vector<std::pair<std::string, std::future<std::optional<int>>>> reading;
  std::map<std::string, std::optional<int>> counts;
  for (const std::string& file : files) {
    const kst::SourceStamp now = kst::SourceStamp::of(file);
    const auto known = counted.find(file);
    if (known != counted.end() && known->second.first == now)
      counts[file] = known->second.second;
    else
      reading.emplace_back(file, std::async(std::launch::async, cameraCount, file));
  }
  for (auto& [file, count] : reading) {
    counts[file] = count.get();
    counted[file] = {kst::SourceStamp::of(file), counts[file]};
  }
  return counts;
}

}  // namespace

const DataFolder* workingDataFolder(bool cameras) {
  static const DataFolder withCameras{[](const std::string& file) { return platform::dataFileExists(file); },
                                      cameraCounts};
  static const DataFolder filesOnly{withCameras.exists, nullptr};
  std::error_code error;
  if (!std::filesystem::is_directory("demo", error)) return nullptr;
  return cameras ? &withCameras : &filesOnly;
}

}  // namespace shell::showfile
