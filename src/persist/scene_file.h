#pragma once
// Whole scene files (.kst): one bzip2 stream holding exactly one object
// record, the root of the scene. Reading is what the show does; writing is
// for tools.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "persist/persistent.h"

class record_observer;

class SceneFileError : public std::runtime_error {
 public:
  // code is 0 when the failure is not a record error (open, close).
  SceneFileError(const std::string& path, const std::string& reason, int code = 0,
                 std::uint64_t offset = 0);

  std::string path;
  int code;
  std::uint64_t offset;  // in the decompressed stream, where reading stopped
};

// Both run on a stack of their own that holds the deepest nesting a scene
// file needs, as the calling thread would (with its GL context); the
// calling thread waits. A record observer is called on that stack.

// The root object; everything else the file held is owned through it.
// Throws SceneFileError naming the file and the reason; nothing read is
// left behind. With keepPictures the textures keep their pictures for a
// later upload: the read needs no GL context.
std::unique_ptr<persistent> readSceneFile(const std::string& path, record_observer* observer = nullptr,
                                          bool keepPictures = false);

// Writes root and everything it references as one compressed record. The
// bytes go to a new file beside path that replaces it only once the whole
// stream is written: a save that fails leaves the old file as it was.
// Throws SceneFileError, or what a class's serialize throws (PictureSaveError).
void writeSceneFile(const std::string& path, persistent& root);
