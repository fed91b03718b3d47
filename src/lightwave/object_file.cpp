#include "lightwave/object_file.h"

#include <cctype>

#include "lightwave/input_stream.h"
#include "lightwave/lw_error.h"
#include "lightwave/object_reader.h"
#include "platform/data_files.h"
#include "base/log.h"

namespace LW {
namespace {

bool hasDriveLetter(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool isAbsolute(const std::string& path) {
  return hasDriveLetter(path) || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

}  // namespace

std::vector<std::string> CandidatePaths(const std::string& path, const std::vector<std::string>& searchDirectories) {
  std::vector<std::string> candidates;
  if (!isAbsolute(path)) {
    for (const std::string& directory : searchDirectories) candidates.push_back(directory + "\\" + path);
  } else if (hasDriveLetter(path) && path.size() > 2 && path[2] != '\\') {
    candidates.push_back(path.substr(0, 2) + "\\" + path.substr(2));
  }
  candidates.push_back(path);
  return candidates;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, const LoadContext& context) {
  for (const std::string& candidate : CandidatePaths(path, context.searchDirectories)) {
    if (auto bytes = platform::readDataFile(candidate)) {
      kst::log("ok!");
      return std::move(*bytes);
    }
  }
  Fatal("Couldn't open file!!");
}

std::optional<Object> ReadObject(std::vector<std::uint8_t> bytes, LoadContext& context, const std::string& name) {
  InputStream in(std::move(bytes));
  if (in.size() < 4 || in.ID4() != MakeID("FORM")) Fatal("This is not an IFF-file.");
  if (in.size() < 12) Fatal("%s", kCorruptedLength);
  const std::uint32_t formLength = in.U4();
  if (in.size() != std::uint64_t{formLength} + 8) Fatal("%s", kCorruptedLength);
  if (in.ID4() != MakeID("LWO2")) return std::nullopt;
  Object object;
  object.name = name;
  ObjectReader(in, object, context).readForm(formLength);
  return object;
}

}  // namespace LW
