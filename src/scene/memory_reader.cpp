#include "scene/memory_reader.h"

#include <algorithm>
#include <cstring>

unsigned MemoryReader::read(void* buffer, unsigned size, unsigned count) {
  const std::size_t wanted = static_cast<std::size_t>(size) * count;
  const std::size_t copied = std::min(wanted, bytes_.size() - position_);
  if (copied > 0) std::memcpy(buffer, bytes_.data() + position_, copied);
  position_ += copied;
  return static_cast<unsigned>(copied);
}

int MemoryReader::seek(long offset, int origin) {
  long base = 0;
  switch (origin) {
    case 0: base = 0; break;
    case 1: base = tell(); break;
    case 2: base = static_cast<long>(bytes_.size()); break;
    default: return 0;
  }
  position_ = static_cast<std::size_t>(std::clamp(base + offset, 0L, static_cast<long>(bytes_.size())));
  return 1;
}

unsigned MemoryReader::write(const void*, unsigned, unsigned) { return 0; }
