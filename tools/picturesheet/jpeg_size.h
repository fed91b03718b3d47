#pragma once
// A picture as a JPEG of about a given size: the quality whose file comes
// closest to it.
#include <FreeImage.h>

#include <string>

namespace picturesheet {

// Writes `picture` (24 bits) to `file`; returns the quality used. Throws
// std::runtime_error naming the file when it cannot be encoded or written.
int saveJpegNear(FIBITMAP* picture, const std::string& file, int kilobytes);

}  // namespace picturesheet
