#pragma once
// The show's data set: every file the show reads, by the name the show uses
// ("demo\backs\1.jpg"), with what it is and the function that makes its
// bytes. Making a file depends only on the code and the fixed seeds.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/text.h"

namespace showdata {

struct DataFile {
  std::string name;  // the show's name, '\' separated
  std::string what;  // one line for people
  std::function<std::vector<std::uint8_t>()> make;
};

// `scale`: the data set's scale (1 to 3), see pictures.h.
std::vector<DataFile> pictureFiles(const Fonts& fonts, int scale = 1);
std::vector<DataFile> objectFiles();
std::vector<DataFile> musicFiles();

// Where `name` goes under `folder`.
std::filesystem::path outputPath(const std::filesystem::path& folder, const std::string& name);

// Makes and writes every file, printing one line per file, with its
// pictures and textures drawn at `scale` (1 to 3); a data set at scale 2
// or 3 is marked so (the engine's data_set_scale.h), one at scale 1 has no
// mark (a mark left by an earlier run goes). Throws std::runtime_error
// naming the file and the reason when one cannot be made or written.
void writeDataSet(const std::filesystem::path& folder, int scale = 1);

}  // namespace showdata
