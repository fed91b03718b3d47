// The byte encodings of every stored value kind.
#include <algorithm>
#include <bit>

#include "persist/persistent_store.h"

static_assert(std::endian::native == std::endian::little,
              "stored values are little-endian and copied in memory order");

namespace {
// A count read from a damaged stream can be huge; grow by what actually
// arrives instead of trusting it up front.
constexpr std::uint32_t kReserveLimit = 1u << 16;
}  // namespace

void persistent_store::writeBytes(const void* data, std::size_t size) {
  if (size != 0 && write(data, size, 1) != 1) throw persistent::WriteFailed;
}

void persistent_store::readBytes(void* data, std::size_t size) {
  if (size == 0) return;
  if (read(data, size, 1) != 1) throw persistent::ReadFailed;
  bytesRead_ += size;
}

void persistent_store::writeVarint(std::uint32_t value) {
  std::array<std::uint8_t, 5> bytes{};
  std::size_t used = 0;
  do {
    bytes[used] = value & 0x7F;
    value >>= 7;
    ++used;
  } while (value != 0);
  bytes[used - 1] |= 0x80;  // marks the last group
  writeBytes(bytes.data(), used);
}

std::uint32_t persistent_store::readVarint() {
  std::uint32_t value = 0;
  for (unsigned group = 0; group < 5; ++group) {
    const auto byte = readValue<std::uint8_t>();
    const std::uint32_t bits = byte & 0x7Fu;
    if (group == 4 && bits > 0x0F) throw persistent::BadVarint;
    value |= bits << (7 * group);
    if (byte & 0x80) return value;
  }
  throw persistent::BadVarint;
}

void persistent_store::writeString(std::string_view text) {
  writeBytes(text.data(), text.size());
  writeValue<std::uint8_t>(0);
}

std::string persistent_store::readString(std::size_t longest) {
  std::string text;
  for (char c = readValue<char>(); c != 0; c = readValue<char>()) {
    if (text.size() == longest) throw persistent::ReadFailed;
    text.push_back(c);
  }
  return text;
}

void persistent_store::writeBox(const persist::BoundingBox& box) {
  writeValue(box.empty);
  writeFloats(box.min);
  writeFloats(box.max);
}

persist::BoundingBox persistent_store::readBox() {
  persist::BoundingBox box;
  const bool empty = readValue<bool>();
  persist::Vec3 corners[2];
  readFloats(corners[0]);
  readFloats(corners[1]);
  if (!empty) {
    box.grow(corners[0]);
    box.grow(corners[1]);
  }
  return box;
}

void persistent_store::writeDelta16(std::span<const std::uint16_t> values) {
  writeVarint(static_cast<std::uint32_t>(values.size()));
  std::uint16_t previous = 0;
  for (const std::uint16_t v : values) {
    writeValue(static_cast<std::uint16_t>(v - previous));
    previous = v;
  }
}

std::vector<std::uint16_t> persistent_store::readDelta16() {
  const std::uint32_t count = readVarint();
  std::vector<std::uint16_t> values;
  values.reserve(std::min(count, kReserveLimit));
  std::uint16_t previous = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    previous = static_cast<std::uint16_t>(previous + readValue<std::uint16_t>());
    values.push_back(previous);
  }
  return values;
}

void persistent_store::writeDelta32(std::span<const std::uint32_t> values) {
  writeVarint(static_cast<std::uint32_t>(values.size()));
  if (values.empty()) return;
  writeVarint(values[0]);
  for (std::size_t i = 1; i < values.size(); ++i) writeValue(values[i] - values[i - 1]);
}

std::vector<std::uint32_t> persistent_store::readDelta32() {
  const std::uint32_t count = readVarint();
  std::vector<std::uint32_t> values;
  if (count == 0) return values;
  values.reserve(std::min(count, kReserveLimit));
  values.push_back(readVarint());
  for (std::uint32_t i = 1; i < count; ++i) values.push_back(values.back() + readValue<std::uint32_t>());
  return values;
}

void persistent_store::exchange(bool writing, std::string& text) {
  if (writing) writeString(text); else text = readString();
}

void persistent_store::exchange(bool writing, persist::BoundingBox& box) {
  if (writing) writeBox(box); else box = readBox();
}

void persistent_store::exchangeVarint(bool writing, std::uint32_t& value) {
  if (writing) writeVarint(value); else value = readVarint();
}

void persistent_store::exchangeVarint(bool writing, std::int32_t& value) {
  auto bits = static_cast<std::uint32_t>(value);
  exchangeVarint(writing, bits);
  value = static_cast<std::int32_t>(bits);
}

void persistent_store::exchangeDelta(bool writing, std::vector<std::uint16_t>& values) {
  if (writing) writeDelta16(values); else values = readDelta16();
}

void persistent_store::exchangeDelta(bool writing, std::vector<std::uint32_t>& values) {
  if (writing) writeDelta32(values); else values = readDelta32();
}
