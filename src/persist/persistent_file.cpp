#include "persist/persistent_file.h"

#include <bzlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {
constexpr std::size_t kReadAhead = 64 * 1024;
constexpr int kBlockSize100k = 9;
constexpr int kVerbosity = 0;
constexpr int kWorkFactor = 30;
}  // namespace

persistent_file::persistent_file(FILE*& file, int mode, bool compressed)
    : file_(file), compression_(std::make_unique<compression_state>()) {
  file = nullptr;
  compression_->mode = mode == Writing ? Writing : Reading;
  if (compressed && file_ != nullptr) {
    int error = BZ_OK;
    compression_->handle = compression_->mode == Writing
                               ? BZ2_bzWriteOpen(&error, file_, kBlockSize100k, kVerbosity, kWorkFactor)
                               : BZ2_bzReadOpen(&error, file_, kVerbosity, 0, nullptr, 0);
    openError_ = error;
  } else if (compressed) {
    openError_ = BZ_PARAM_ERROR;
  }
  // A reader whose stream did not open must not fall back to raw bytes.
  sourceDone_ = compressed && compression_->handle == nullptr;
  if (compression_->mode == Reading) buffer_.resize(kReadAhead);
}

persistent_file::~persistent_file() { close(); }

bool persistent_file::close() {
  bool ok = !writeFailed_;
  if (compression_->handle != nullptr) {
    int error = BZ_OK;
    if (compression_->mode == Writing) {
      BZ2_bzWriteClose(&error, compression_->handle, 0, nullptr, nullptr);
    } else {
      BZ2_bzReadClose(&error, compression_->handle);
    }
    ok = ok && error == BZ_OK;
    compression_->handle = nullptr;
  }
  if (file_ != nullptr) {
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
  }
  return ok;
}

std::int32_t persistent_file::write(const void* data, std::size_t size, std::size_t count) {
  if (compression_->mode != Writing || file_ == nullptr || size == 0) return 0;
  if (compression_->handle == nullptr) {
    if (openError_ != BZ_OK) return 0;
    const std::size_t written = std::fwrite(data, size, count, file_);
    writeFailed_ = writeFailed_ || written != count;
    return static_cast<std::int32_t>(written);
  }
  const std::size_t total = size * count;
  if (total > INT_MAX) return 0;
  int error = BZ_OK;
  BZ2_bzWrite(&error, compression_->handle, const_cast<void*>(data), static_cast<int>(total));
  if (error != BZ_OK) {
    writeFailed_ = true;
    return 0;
  }
  return static_cast<std::int32_t>(count);
}

// Whole items delivered. The bytes of a last, partial item are in data all
// the same; the stream's end does not spoil the items it completed.
std::int32_t persistent_file::read(void* data, std::size_t size, std::size_t count) {
  if (compression_->mode != Reading || size == 0) return 0;
  const std::size_t delivered = pull(static_cast<char*>(data), size * count);
  return static_cast<std::int32_t>(delivered / size);
}

std::size_t persistent_file::pull(char* destination, std::size_t wanted) {
  std::size_t delivered = 0;
  while (delivered < wanted) {
    if (bufferPos_ == bufferEnd_ && refill() == 0) break;
    const std::size_t n = std::min(wanted - delivered, bufferEnd_ - bufferPos_);
    std::memcpy(destination + delivered, buffer_.data() + bufferPos_, n);
    bufferPos_ += n;
    delivered += n;
  }
  return delivered;
}

// A damaged stream (data, magic or I/O error, or a stream cut short) ends
// the input: the read that needed those bytes comes up short.
std::size_t persistent_file::refill() {
  bufferPos_ = bufferEnd_ = 0;
  if (sourceDone_ || file_ == nullptr) return 0;
  if (compression_->handle == nullptr) {
    bufferEnd_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    sourceDone_ = bufferEnd_ == 0;
    return bufferEnd_;
  }
  int error = BZ_OK;
  const int got = BZ2_bzRead(&error, compression_->handle, buffer_.data(), static_cast<int>(buffer_.size()));
  if (error == BZ_OK || error == BZ_STREAM_END) bufferEnd_ = static_cast<std::size_t>(std::max(got, 0));
  sourceDone_ = error != BZ_OK;
  return bufferEnd_;
}
