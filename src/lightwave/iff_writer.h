#pragma once
// Builds IFF bytes the way LWO2 lays them out: big-endian values, chunks
// with U4 lengths, sub-chunks with U2 lengths, lengths filled in when a
// chunk is closed.
#include <cstdint>
#include <string_view>
#include <vector>

namespace LW {

class IffWriter {
 public:
  // Opens FORM <type>; bytes() closes every chunk still open.
  explicit IffWriter(std::string_view formType = "LWO2");

  void ID4(std::string_view id);
  void U4(std::uint32_t value);
  void U2(std::uint16_t value);
  void F4(float value);
  void VX(std::uint32_t index);  // two bytes below 0xFF00, else four
  void S0(std::string_view text);
  void raw(std::uint8_t byte) { bytes_.push_back(byte); }

  void beginChunk(std::string_view id);     // U4 length
  void beginSubChunk(std::string_view id);  // U2 length
  void end();

  std::vector<std::uint8_t> bytes();

 private:
  struct Open {
    std::size_t lengthAt;
    bool wide;
  };
  std::vector<std::uint8_t> bytes_;
  std::vector<Open> open_;
};

}  // namespace LW
