#pragma once
// Finding and reading an LWO2 file: the search directories of the load, the
// drive-letter fix of absolute names, the IFF form around the chunks.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lightwave/lw_object.h"

namespace LW {

// The names tried for `path`, in order: each search directory + "\" + path
// for a relative path, then the path itself (an absolute "C:x" as "C:\x").
std::vector<std::string> CandidatePaths(const std::string& path, const std::vector<std::string>& searchDirectories);

// The whole file found for `path`; logs "ok!", or fails the load with
// "Couldn't open file!!" when none opens.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, const LoadContext& context);

// The chunks of an IFF form of type LWO2 into an object whose surfaces go to
// `context`; nothing for a form of another type. `name` prefixes surface names.
std::optional<Object> ReadObject(std::vector<std::uint8_t> bytes, LoadContext& context, const std::string& name = "");

}  // namespace LW
