// Byte-exact value encodings, in both directions.
#include <gtest/gtest.h>

#include <cstring>

#include "support/memory_store.h"
#include "persist/persistent_store.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes varintBytes(std::uint32_t value) {
  fake::MemoryStore store;
  store.writeVarint(value);
  return store.bytes;
}

Bytes floatBytes(float value) {
  Bytes bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

persistent::exception failureOf(auto&& read) {
  try {
    read();
  } catch (persistent::exception e) {
    return e;
  }
  return persistent::exception{};
}

TEST(Varint, LowestGroupFirstWithStopBitOnLastByte) {
  EXPECT_EQ(varintBytes(0), (Bytes{0x80}));
  EXPECT_EQ(varintBytes(127), (Bytes{0xFF}));
  EXPECT_EQ(varintBytes(128), (Bytes{0x00, 0x81}));
  EXPECT_EQ(varintBytes(300), (Bytes{0x2C, 0x82}));
  EXPECT_EQ(varintBytes(0xFFFFFFFFu), (Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x8F}));
}

TEST(Varint, ReadsBackWhatWasWritten) {
  fake::MemoryStore store(Bytes{0x00, 0x81});
  EXPECT_EQ(store.readVarint(), 128u);
  for (std::uint32_t v : {0u, 1u, 127u, 128u, 16383u, 16384u, 0x12345678u, 0xFFFFFFFFu}) {
    fake::MemoryStore roundTrip(varintBytes(v));
    EXPECT_EQ(roundTrip.readVarint(), v);
  }
}

TEST(Varint, MalformedOrCutOffFailsInsteadOfLooping) {
  fake::MemoryStore sixBytes(Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x81});
  EXPECT_EQ(failureOf([&] { sixBytes.readVarint(); }), persistent::BadVarint);
  fake::MemoryStore above32Bits(Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x9F});
  EXPECT_EQ(failureOf([&] { above32Bits.readVarint(); }), persistent::BadVarint);
  fake::MemoryStore cut(Bytes{0x00, 0x00});
  EXPECT_EQ(failureOf([&] { cut.readVarint(); }), persistent::ReadFailed);
}

TEST(Varint, SignedValueGoesAsItsBitPattern) {
  fake::MemoryStore store;
  std::int32_t minusOne = -1;
  store.exchangeVarint(true, minusOne);
  EXPECT_EQ(store.bytes, (Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x8F}));
  std::int32_t back = 0;
  store.exchangeVarint(false, back);
  EXPECT_EQ(back, -1);
}

TEST(Scalars, LittleEndianFixedSizes) {
  fake::MemoryStore store;
  store.writeValue<std::int16_t>(-2);
  store.writeValue<std::uint32_t>(0x01020304u);
  store.writeValue(true);
  store.writeValue(1.0f);
  EXPECT_EQ(store.bytes, (Bytes{0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x01, 0x00, 0x00, 0x80, 0x3F}));
  EXPECT_EQ(store.readValue<std::int16_t>(), -2);
  EXPECT_EQ(store.readValue<std::uint32_t>(), 0x01020304u);
  EXPECT_TRUE(store.readValue<bool>());
  EXPECT_EQ(store.readValue<float>(), 1.0f);
  EXPECT_EQ(failureOf([&] { store.readValue<std::uint8_t>(); }), persistent::ReadFailed);
}

TEST(Strings, ZeroTerminatedAndCutOffFails) {
  fake::MemoryStore store;
  store.writeString("abc");
  EXPECT_EQ(store.bytes, (Bytes{'a', 'b', 'c', 0}));
  EXPECT_EQ(store.readString(), "abc");
  fake::MemoryStore cut(Bytes{'a', 'b'});
  EXPECT_EQ(failureOf([&] { cut.readString(); }), persistent::ReadFailed);
}

TEST(Delta16, CountThenFirstThenDifferencesModulo16Bits) {
  fake::MemoryStore store;
  const std::vector<std::uint16_t> values{5, 3, 65535};
  store.writeDelta16(values);
  EXPECT_EQ(store.bytes, (Bytes{0x83, 0x05, 0x00, 0xFE, 0xFF, 0xFC, 0xFF}));
  EXPECT_EQ(store.readDelta16(), values);
}

TEST(Delta32, FirstAsVarintThenRawDifferences) {
  fake::MemoryStore store;
  const std::vector<std::uint32_t> values{5, 3, 0xFFFFFFFFu};
  store.writeDelta32(values);
  EXPECT_EQ(store.bytes, (Bytes{0x83, 0x85, 0xFE, 0xFF, 0xFF, 0xFF, 0xFC, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(store.readDelta32(), values);
}

TEST(DeltaArrays, EmptyIsJustTheCount) {
  fake::MemoryStore store;
  store.writeDelta16({});
  store.writeDelta32({});
  EXPECT_EQ(store.bytes, (Bytes{0x80, 0x80}));
  EXPECT_TRUE(store.readDelta16().empty());
  EXPECT_TRUE(store.readDelta32().empty());
}

TEST(DeltaArrays, HugeCountWithoutDataFailsWithoutAllocatingIt) {
  fake::MemoryStore store(Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x8F, 0x01, 0x00});
  EXPECT_EQ(failureOf([&] { store.readDelta16(); }), persistent::ReadFailed);
}

TEST(BoundingBox, FilledBoxIsFlagThenCorners) {
  persist::BoundingBox box;
  box.grow({1, 2, 3});
  box.grow({4, 5, 6});
  fake::MemoryStore store;
  store.writeBox(box);
  const Bytes expected = concat({Bytes{0x00}, floatBytes(1), floatBytes(2), floatBytes(3), floatBytes(4),
                                 floatBytes(5), floatBytes(6)});
  EXPECT_EQ(store.bytes, expected);
  EXPECT_EQ(store.readBox(), box);
}

TEST(BoundingBox, EmptyBoxReadsBackEmptyWhateverItsCorners) {
  fake::MemoryStore store;
  store.writeBox(persist::BoundingBox{});
  ASSERT_EQ(store.bytes.size(), 25u);
  EXPECT_EQ(store.bytes[0], 0x01);
  std::fill(store.bytes.begin() + 1, store.bytes.end(), 0x3F);
  EXPECT_TRUE(store.readBox().empty);
}

TEST(BoundingBox, ReadingGrowsAroundBothCorners) {
  const Bytes swapped = concat({Bytes{0x00}, floatBytes(4), floatBytes(2), floatBytes(6), floatBytes(1),
                                floatBytes(5), floatBytes(3)});
  fake::MemoryStore store(swapped);
  const persist::BoundingBox box = store.readBox();
  EXPECT_FALSE(box.empty);
  EXPECT_EQ(box.min, (persist::Vec3{1, 2, 3}));
  EXPECT_EQ(box.max, (persist::Vec3{4, 5, 6}));
}

TEST(Matrix, SixteenFloatsInMemoryOrder) {
  persist::Matrix16 m{};
  for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i) * 0.5f;
  fake::MemoryStore store;
  store.writeFloats(m);
  ASSERT_EQ(store.bytes.size(), 64u);
  EXPECT_EQ(Bytes(store.bytes.begin() + 8, store.bytes.begin() + 12), floatBytes(1.0f));
  EXPECT_EQ(Bytes(store.bytes.end() - 4, store.bytes.end()), floatBytes(7.5f));
  persist::Matrix16 back{};
  store.readFloats(back);
  EXPECT_EQ(back, m);
}

}  // namespace
