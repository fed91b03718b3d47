#include "platform/mp3_decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "platform/data_files.h"
#include "platform/sound_source.h"

namespace platform::sound {
namespace {

constexpr std::size_t kRingSamples = std::size_t{1} << 17;  // about 1.5 s of stereo at 44.1 kHz
constexpr std::size_t kBlockSamples = 4608;                  // a few MPEG frames per decoding step

void initialiseLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

Mp3Decoder::Mp3Decoder(const std::string& path, int mixRate) : ring_(kRingSamples) {
  if (!dataFileExists(path)) throw Failure{FMOD_ERR_FILE_NOTFOUND};
  initialiseLibrary();
  openHandle(dataFilePath(path), mixRate);
  startThread();
}

Mp3Decoder::~Mp3Decoder() { stopThread(); }

void Mp3Decoder::startThread() {
  stopping_ = false;
  thread_ = std::thread([this] { run(); });
}

void Mp3Decoder::stopThread() {
  stopping_ = true;
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool Mp3Decoder::restartAt(std::uint64_t frame) {
  stopThread();
  ring_.clear();
  const bool there = mpg123_seek(handle_.get(), static_cast<off_t>(frame), SEEK_SET) >= 0;
  finished_.store(!there, std::memory_order_release);
  startThread();
  return there;
}

void Mp3Decoder::Release::operator()(mpg123_handle* handle) const { mpg123_delete(handle); }

// Only the mix rate in stereo floats is offered, so libmpg123 converts
// whatever the file holds. A file in which it finds no MPEG frame is not an MP3.
void Mp3Decoder::openHandle(const std::string& path, int mixRate) {
  handle_.reset(mpg123_new(nullptr, nullptr));
  if (!handle_) throw Failure{FMOD_ERR_MEMORY};
  mpg123_handle* handle = handle_.get();
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_FORCE_FLOAT | MPG123_QUIET | MPG123_AUTO_RESAMPLE, 0.0);
  mpg123_format_none(handle);
  mpg123_format(handle, mixRate, MPG123_STEREO, MPG123_ENC_FLOAT_32);
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_open(handle, path.c_str()) != MPG123_OK) throw Failure{FMOD_ERR_FILE_BAD};
  if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK) throw Failure{FMOD_ERR_FILE_FORMAT};
}

bool Mp3Decoder::fullyAhead() const {
  return finished_.load(std::memory_order_acquire) || ring_.freeSpace() < kBlockSamples;
}

void Mp3Decoder::waitUntilAvailable(std::size_t samples) {
  samples = std::min(samples, kRingSamples - kBlockSamples);
  std::unique_lock wait(wakeMutex_);
  decoded_.wait(wait, [&] { return ring_.available() >= samples || finished_.load(std::memory_order_acquire); });
}

void Mp3Decoder::run() {
  using namespace std::chrono_literals;
  while (!stopping_ && !finished_) {
    if (ring_.freeSpace() >= kBlockSamples) {
      if (!decodeOnce()) finished_.store(true, std::memory_order_release);
      // Taking the lock first means a waiter cannot miss this between its
      // test and its sleep.
      { std::lock_guard held(wakeMutex_); }
      decoded_.notify_all();
      continue;
    }
    std::unique_lock wait(wakeMutex_);
    wake_.wait_for(wait, 5ms, [this] { return stopping_.load(); });
  }
}

// False at the end of the file or on a decoding error: either way the stream
// has nothing more to give.
bool Mp3Decoder::decodeOnce() {
  block_.resize(kBlockSamples);
  std::size_t bytes = 0;
  const int result = mpg123_read(handle_.get(), block_.data(), block_.size() * sizeof(float), &bytes);
  ring_.put(std::span(block_).first(bytes / sizeof(float)));
  return result == MPG123_OK || result == MPG123_NEW_FORMAT;
}

}  // namespace platform::sound
