#include "persist/scene_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "persist/object_record.h"
#include "persist/persistent_file.h"
#include "platform/thread_stacks.h"

namespace {

// Records of a node's sibling chain nest one inside the other, one per
// sibling, when written as when read. A level takes about 130 bytes of
// stack in an optimised build and 500 with the sanitizers, so this holds
// chains of several hundred thousand nodes; it is only address space until
// a file goes that deep.
constexpr std::size_t kStackBytes = std::size_t{256} << 20;

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

// A folder opens as a file here, and a picture or a text as a stream that
// is damaged at its first byte: both are named for what they are.
void checkIsSceneFile(FILE* file, const std::string& path) {
  struct stat status {};
  const char* reason = nullptr;
  char magic[3] = {};
  if (::fstat(::fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    reason = "is a folder";
  } else if (std::fread(magic, 1, sizeof magic, file) != sizeof magic || std::memcmp(magic, "BZh", 3) != 0) {
    reason = "not a scene file (it does not begin with a bzip2 stream)";
  }
  if (reason == nullptr && std::fseek(file, 0, SEEK_SET) == 0) return;
  std::fclose(file);
  throw SceneFileError(path, reason != nullptr ? reason : std::string("cannot read: ") + std::strerror(errno));
}

std::unique_ptr<persistent> readHere(const std::string& path, record_observer* observer, bool keepPictures) {
  FILE* file = openOrThrow(path, "rb");
  checkIsSceneFile(file, path);
  persistent_file store(file, persistent_file::Reading, true);
  checkOpened(store, path);
  store.observer = observer;
  store.keepPictures = keepPictures;
  try {
    return readRoot(store);
  } catch (persistent::exception error) {
    throw SceneFileError(path,
                         std::string(exceptionText(error)) + " (persistent::exception " + std::to_string(error) +
                             ") at byte " + std::to_string(store.bytesRead()),
                         error, store.bytesRead());
  }
}

// A new file beside the one it will replace (a rename within one folder
// replaces at once), removed again unless it takes the target's place.
class PendingFile {
 public:
  explicit PendingFile(const std::string& target) : target_(target) {
    static std::atomic<unsigned> made{0};
    int descriptor = -1;
    do {
      path_ = target + ".writing-" + std::to_string(::getpid()) + "-" + std::to_string(made++);
      descriptor = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EEXIST);
    if (descriptor < 0) throw SceneFileError(target, std::string("cannot open: ") + std::strerror(errno));
    file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
      ::close(descriptor);
      std::remove(path_.c_str());
      throw SceneFileError(target, std::string("cannot open: ") + std::strerror(errno));
    }
  }
  ~PendingFile() {
    if (file != nullptr) std::fclose(file);
    if (!placed_) std::remove(path_.c_str());
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  void replaceTarget() {
    if (std::rename(path_.c_str(), target_.c_str()) != 0)
      throw SceneFileError(target_, std::string("cannot replace the file: ") + std::strerror(errno));
    placed_ = true;
  }

  FILE* file = nullptr;  // until a store takes it over

 private:
  std::string target_;
  std::string path_;
  bool placed_ = false;
};

void writeHere(const std::string& path, persistent& root) {
  PendingFile pending(path);
  {
    persistent_file store(pending.file, persistent_file::Writing, true);
    checkOpened(store, path);
    try {
      writeRecord(root, store);
    } catch (persistent::exception error) {
      throw SceneFileError(path, exceptionText(error), error);
    }
    if (!store.close()) throw SceneFileError(path, "could not finish writing the file");
  }
  pending.replaceTarget();
}

}  // namespace

SceneFileError::SceneFileError(const std::string& file, const std::string& reason, int errorCode,
                               std::uint64_t at)
    : std::runtime_error(file + ": " + reason), path(file), code(errorCode), offset(at) {}

std::unique_ptr<persistent> readSceneFile(const std::string& path, record_observer* observer, bool keepPictures) {
  std::unique_ptr<persistent> root;
  platform::runAsCaller(kStackBytes, [&] { root = readHere(path, observer, keepPictures); });
  return root;
}

void writeSceneFile(const std::string& path, persistent& root) {
  platform::runAsCaller(kStackBytes, [&] { writeHere(path, root); });
}
