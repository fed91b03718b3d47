#pragma once
// A read cursor over a whole LightWave file held in memory. Values are
// big-endian. Every read stays inside the current bound (the end of the chunk
// being read, else the end of the file); a read that would cross it means the
// file lies about its lengths and fails the load with "Corrupted IFF length.".
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace LW {

class InputStream {
 public:
  // Takes the file's bytes; one zero byte is kept after them.
  explicit InputStream(std::vector<std::uint8_t> bytes);
  virtual ~InputStream() = default;

  std::uint32_t ID4();
  std::uint32_t U4() { return ID4(); }
  std::uint16_t U2();
  float F4();
  std::uint32_t VX();
  std::string S0();

  std::size_t size() const { return size_; }
  std::size_t position() const { return cursor_; }
  std::size_t bound() const { return bound_; }
  bool atBound() const { return cursor_ >= bound_; }
  // Moves the cursor; a position past the current bound is a corrupted file.
  void seek(std::size_t position);
  // Narrows the bound to [cursor, cursor + length) and returns the previous
  // bound; a length running past the current bound is a corrupted file.
  std::size_t enter(std::size_t length);
  // Puts the cursor at the end of the entered span and restores `previous`.
  void leave(std::size_t previous);

 private:
  const std::uint8_t* take(std::size_t count);

  std::vector<std::uint8_t> buffer_;
  std::size_t size_;
  std::size_t cursor_ = 0;
  std::size_t bound_;
};

// Enters a chunk's data for the lifetime of the object; the cursor always
// ends at the chunk's data start plus its length.
class ChunkSpan {
 public:
  ChunkSpan(InputStream& in, std::size_t length) : in_(in), previous_(in.enter(length)) {}
  ~ChunkSpan() { in_.leave(previous_); }
  ChunkSpan(const ChunkSpan&) = delete;
  ChunkSpan& operator=(const ChunkSpan&) = delete;

 private:
  InputStream& in_;
  std::size_t previous_;
};

// The four characters of an identifier, for messages.
std::string IdText(std::uint32_t id);

constexpr std::uint32_t MakeID(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

}  // namespace LW
