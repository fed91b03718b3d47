#pragma once
#include <string>

namespace shell {

// Reads the back buffer of the current frame and writes it as a PNG with
// the frame's size. False when it cannot be read or written.
bool saveScreenshot(const std::string& file);

}  // namespace shell
