#pragma once
// An image file held in memory, read the way the decoder reads files:
// through read, seek and tell on a position. Nothing is ever written.
#include <cstddef>
#include <cstdint>
#include <span>

class MemoryReader {
 public:
  explicit MemoryReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Copies min(size * count, what is left) bytes and moves on; answers the
  // number of bytes copied.
  unsigned read(void* buffer, unsigned size, unsigned count);
  // Origin 0 from the start, 1 from the position, 2 from the end: answers 1.
  // Any other origin answers 0 and leaves the position alone. The position
  // never leaves the bytes, so no read can reach outside them.
  int seek(long offset, int origin);
  long tell() const { return static_cast<long>(position_); }
  // The reader is read-only: answers 0.
  unsigned write(const void* buffer, unsigned size, unsigned count);

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};
