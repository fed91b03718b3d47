#pragma once
// Whether a part of a capture cut into parts is whole: a file that a player
// opens, described as the part wanted (its pictures made the same way),
// holding the number of pictures wanted, the last of which decodes. Only the
// last run of pictures from a key frame is decoded, so a check costs little
// beside the capture. Reads the file only.
#include <cstdint>
#include <optional>
#include <string>

namespace capture {

// Nothing when the part is whole, else why it cannot be taken: "not there",
// "does not read: REASON", "made for another capture (...)", "holds 1190 of
// 1225 pictures", "its last picture does not decode".
std::optional<std::string> partFault(const std::string& file, const std::string& description, std::int64_t pictures);

}  // namespace capture
