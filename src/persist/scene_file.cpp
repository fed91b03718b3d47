#include "persist/scene_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "persist/object_record.h"
#include "persist/persistent_file.h"

namespace {

FILE* openOrThrow(const std::string& path, const char* mode) {
  FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) throw SceneFileError(path, std::string("cannot open: ") + std::strerror(errno));
  return file;
}

void checkOpened(const persistent_file& store, const std::string& path) {
  if (store.openError() != 0) {
    throw SceneFileError(path, "cannot start the bzip2 stream (error " + std::to_string(store.openError()) + ")");
  }
}

}  // namespace

SceneFileError::SceneFileError(const std::string& file, const std::string& reason, int errorCode,
                               std::uint64_t at)
    : std::runtime_error(file + ": " + reason), path(file), code(errorCode), offset(at) {}

std::unique_ptr<persistent> readSceneFile(const std::string& path, record_observer* observer) {
  FILE* file = openOrThrow(path, "rb");
  persistent_file store(file, persistent_file::Reading, true);
  checkOpened(store, path);
  store.observer = observer;
  try {
    return store.adopt<persistent>(readRecord(store));
  } catch (persistent::exception error) {
    throw SceneFileError(path,
                         std::string(exceptionText(error)) + " (persistent::exception " + std::to_string(error) +
                             ") at byte " + std::to_string(store.bytesRead()),
                         error, store.bytesRead());
  }
}

void writeSceneFile(const std::string& path, persistent& root) {
  FILE* file = openOrThrow(path, "wb");
  persistent_file store(file, persistent_file::Writing, true);
  checkOpened(store, path);
  try {
    writeRecord(root, store);
  } catch (persistent::exception error) {
    throw SceneFileError(path, exceptionText(error), error);
  }
  if (!store.close()) throw SceneFileError(path, "could not finish writing the file");
}
