#include "lightwave/input_stream.h"

#include <bit>
#include <cstring>

#include "lightwave/lw_error.h"

namespace LW {

InputStream::InputStream(std::vector<std::uint8_t> bytes)
    : buffer_(std::move(bytes)), size_(buffer_.size()), bound_(size_) {
  buffer_.push_back(0);
}

const std::uint8_t* InputStream::take(std::size_t count) {
  if (count > bound_ - cursor_) Fatal("%s", kCorruptedLength);
  const std::uint8_t* bytes = buffer_.data() + cursor_;
  cursor_ += count;
  return bytes;
}

std::uint32_t InputStream::ID4() {
  const std::uint8_t* b = take(4);
  return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

std::uint16_t InputStream::U2() {
  const std::uint8_t* b = take(2);
  return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
}

float InputStream::F4() { return std::bit_cast<float>(ID4()); }

std::uint32_t InputStream::VX() {
  if (cursor_ < bound_ && buffer_[cursor_] == 0xFF) return ID4() & 0x00FFFFFFu;
  return U2();
}

std::string InputStream::S0() {
  const std::uint8_t* start = buffer_.data() + cursor_;
  const void* nul = std::memchr(start, 0, bound_ - cursor_);
  if (nul == nullptr) Fatal("%s", kCorruptedLength);
  const std::size_t length = static_cast<const std::uint8_t*>(nul) - start;
  std::string text(reinterpret_cast<const char*>(start), length);
  take(length + 1 + (length % 2 == 0 ? 1 : 0));
  return text;
}

void InputStream::seek(std::size_t position) {
  if (position > bound_) Fatal("%s", kCorruptedLength);
  cursor_ = position;
}

std::size_t InputStream::enter(std::size_t length) {
  if (length > bound_ - cursor_) Fatal("%s", kCorruptedLength);
  const std::size_t previous = bound_;
  bound_ = cursor_ + length;
  return previous;
}

void InputStream::leave(std::size_t previous) {
  cursor_ = bound_;
  bound_ = previous;
}

std::string IdText(std::uint32_t id) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>(id >> (24 - 8 * i));
    text[i] = (c >= 32 && c < 127) ? c : '?';
  }
  return text;
}

}  // namespace LW
