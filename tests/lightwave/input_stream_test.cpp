#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lightwave/input_stream.h"
#include "lightwave/lw_error.h"
#include "support/log_capture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(InputStreamTest, BigEndianPrimitives) {
  LW::InputStream in(Bytes{'F', 'O', 'R', 'M', 0x12, 0x34, 0x3F, 0x80, 0x00, 0x00});
  EXPECT_EQ(in.ID4(), LW::MakeID("FORM"));
  EXPECT_EQ(in.U2(), 0x1234);
  EXPECT_EQ(in.F4(), 1.0f);
  EXPECT_TRUE(in.atBound());
}

TEST(InputStreamTest, VariableLengthIndex) {
  // 0xFF first: four bytes, the low 24 bits; otherwise a plain U2.
  LW::InputStream in(Bytes{0xFF, 0x01, 0x02, 0x03, 0xFE, 0x10, 0x00, 0x05});
  EXPECT_EQ(in.VX(), 0x010203u);
  EXPECT_EQ(in.position(), 4u);
  EXPECT_EQ(in.VX(), 0xFE10u);
  EXPECT_EQ(in.VX(), 5u);
}

TEST(InputStreamTest, StringsKeepAnEvenSize) {
  // "abc" + NUL is 4 bytes; "ab" + NUL + pad is 4; "" + NUL + pad is 2.
  LW::InputStream in(Bytes{'a', 'b', 'c', 0, 'a', 'b', 0, 0, 0, 0, 'x', 0});
  EXPECT_EQ(in.S0(), "abc");
  EXPECT_EQ(in.position(), 4u);
  EXPECT_EQ(in.S0(), "ab");
  EXPECT_EQ(in.position(), 8u);
  EXPECT_EQ(in.S0(), "");
  EXPECT_EQ(in.position(), 10u);
  EXPECT_EQ(in.S0(), "x");
}

TEST(InputStreamTest, ReadsStopAtTheChunkBound) {
  fake::LogCapture log;
  LW::InputStream in(Bytes{1, 2, 3, 4, 5, 6, 7, 8});
  {
    LW::ChunkSpan span(in, 3);
    EXPECT_EQ(in.U2(), 0x0102);
    EXPECT_THROW(in.U2(), LW::LoadError);  // one byte left in the chunk
  }
  // Leaving the chunk puts the cursor at its end whatever was read.
  EXPECT_EQ(in.position(), 3u);
  EXPECT_EQ(in.U2(), 0x0405);
  EXPECT_NE(log.text().find("Error !! Corrupted IFF length.\n\n"), std::string::npos);
}

TEST(InputStreamTest, DamagedValuesFailInsteadOfReadingOn) {
  fake::LogCapture log;
  EXPECT_THROW(LW::InputStream(Bytes{'a', 'b'}).S0(), LW::LoadError);  // no NUL
  EXPECT_THROW(LW::InputStream(Bytes{'a', 'b', 0}).S0(), LW::LoadError);  // pad missing
  EXPECT_THROW(LW::InputStream(Bytes{0xFF, 1, 2}).VX(), LW::LoadError);
  LW::InputStream in(Bytes{0, 0, 0, 0});
  EXPECT_THROW(in.enter(5), LW::LoadError);  // a length past the end
}

}  // namespace
