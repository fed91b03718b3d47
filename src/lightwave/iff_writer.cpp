#include "lightwave/iff_writer.h"

#include <bit>

namespace LW {

IffWriter::IffWriter(std::string_view formType) {
  beginChunk("FORM");
  ID4(formType);
}

void IffWriter::ID4(std::string_view id) {
  for (std::size_t i = 0; i < 4; ++i) bytes_.push_back(i < id.size() ? static_cast<std::uint8_t>(id[i]) : ' ');
}

void IffWriter::U4(std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void IffWriter::U2(std::uint16_t value) {
  bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  bytes_.push_back(static_cast<std::uint8_t>(value));
}

void IffWriter::F4(float value) { U4(std::bit_cast<std::uint32_t>(value)); }

void IffWriter::VX(std::uint32_t index) {
  if (index < 0xFF00)
    U2(static_cast<std::uint16_t>(index));
  else
    U4(0xFF000000u | index);
}

void IffWriter::S0(std::string_view text) {
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  bytes_.push_back(0);
  if (text.size() % 2 == 0) bytes_.push_back(0);
}

void IffWriter::beginChunk(std::string_view id) {
  ID4(id);
  open_.push_back({bytes_.size(), true});
  U4(0);
}

void IffWriter::beginSubChunk(std::string_view id) {
  ID4(id);
  open_.push_back({bytes_.size(), false});
  U2(0);
}

void IffWriter::end() {
  const Open chunk = open_.back();
  open_.pop_back();
  const std::size_t dataStart = chunk.lengthAt + (chunk.wide ? 4 : 2);
  const std::size_t length = bytes_.size() - dataStart;
  for (int i = chunk.wide ? 3 : 1, shift = 0; i >= 0; --i, shift += 8)
    bytes_[chunk.lengthAt + i] = static_cast<std::uint8_t>(length >> shift);
}

std::vector<std::uint8_t> IffWriter::bytes() {
  while (!open_.empty()) end();
  return bytes_;
}

}  // namespace LW
