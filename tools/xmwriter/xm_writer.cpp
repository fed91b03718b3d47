#include "xm_writer.h"

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace xm {
namespace {

constexpr std::uint32_t kHeaderSize = 276;      // from the size field to the end of the order table
constexpr std::uint32_t kInstrumentSize = 263;  // with its sample map, envelopes and reserved bytes
constexpr std::uint32_t kSampleHeaderSize = 40;

class Bytes {
 public:
  void u8(unsigned value) { out_.push_back(static_cast<std::uint8_t>(value)); }
  void u16(unsigned value) {
    u8(value & 0xFF);
    u8((value >> 8) & 0xFF);
  }
  void u32(std::uint32_t value) {
    u16(value & 0xFFFF);
    u16(value >> 16);
  }
  void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }
  // Fixed-size text, cut or padded with zeros.
  void text(const std::string& value, std::size_t size) {
    const std::size_t used = std::min(value.size(), size);
    out_.insert(out_.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(used));
    zeros(size - used);
  }
  std::vector<std::uint8_t>& data() { return out_; }

 private:
  std::vector<std::uint8_t> out_;
};

void require(bool condition, const std::string& what) {
  if (!condition) throw std::invalid_argument("XM module: " + what);
}

void validate(const Module& module) {
  require(module.channels >= 1 && module.channels <= 32, "channel count must be 1 to 32");
  require(!module.order.empty() && module.order.size() <= 256, "the order needs 1 to 256 entries");
  require(module.restart >= 0 && module.restart < static_cast<int>(module.order.size()), "restart outside the order");
  require(module.patterns.size() <= 256, "at most 256 patterns");
  require(module.instruments.size() <= 128, "at most 128 instruments");
  for (std::uint8_t entry : module.order) require(entry < module.patterns.size(), "order names pattern " + std::to_string(entry) + " that does not exist");
  for (const Pattern& pattern : module.patterns) {
    require(pattern.rows() >= 1 && pattern.rows() <= 256, "a pattern needs 1 to 256 rows");
    require(pattern.channels() == module.channels, "a pattern's channel count differs from the module's");
  }
}

void writeHeader(Bytes& out, const Module& module) {
  out.text("Extended Module: ", 17);
  out.text(module.name, 20);
  out.u8(0x1A);
  out.text("Skyward xmwriter", 20);
  out.u16(0x0104);
  out.u32(kHeaderSize);
  out.u16(static_cast<unsigned>(module.order.size()));
  out.u16(static_cast<unsigned>(module.restart));
  out.u16(static_cast<unsigned>(module.channels));
  out.u16(static_cast<unsigned>(module.patterns.size()));
  out.u16(static_cast<unsigned>(module.instruments.size()));
  out.u16(module.linearFrequencies ? 1 : 0);
  out.u16(static_cast<unsigned>(module.tempo));
  out.u16(static_cast<unsigned>(module.bpm));
  for (std::uint8_t entry : module.order) out.u8(entry);
  out.zeros(256 - module.order.size());
}

// Packed cells: a flag byte (bit 7 set) tells which of the five fields follow.
void packCell(Bytes& out, const Cell& cell) {
  const std::uint8_t fields[5] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter};
  unsigned flags = 0x80;
  for (unsigned i = 0; i < 5; ++i) flags |= fields[i] != 0 ? 1u << i : 0u;
  out.u8(flags);
  for (std::uint8_t field : fields) {
    if (field != 0) out.u8(field);
  }
}

void writePattern(Bytes& out, const Pattern& pattern, std::size_t instruments) {
  Bytes cells;
  for (int row = 0; row < pattern.rows(); ++row) {
    for (int channel = 0; channel < pattern.channels(); ++channel) {
      const Cell& cell = pattern.at(row, channel);
      require(cell.instrument <= instruments, "a cell names instrument " + std::to_string(cell.instrument) + " that does not exist");
      require(cell.note <= kKeyOff, "note " + std::to_string(cell.note) + " out of range");
      packCell(cells, cell);
    }
  }
  require(cells.data().size() <= 0xFFFF, "a pattern packs to more than 65535 bytes");
  out.u32(9);
  out.u8(0);
  out.u16(static_cast<unsigned>(pattern.rows()));
  out.u16(static_cast<unsigned>(cells.data().size()));
  out.data().insert(out.data().end(), cells.data().begin(), cells.data().end());
}

// Lengths and loop points are stored in bytes.
void writeSampleHeader(Bytes& out, const Sample& sample) {
  const bool wide = !sample.wide.empty();
  const std::size_t points = wide ? sample.wide.size() : sample.data.size();
  const std::uint32_t pointBytes = wide ? 2 : 1;
  require(sample.loopLength == 0 || sample.loopStart + sample.loopLength <= points, "a sample loop runs past its data");
  require(sample.volume <= 64, "sample volume above 64");
  out.u32(static_cast<std::uint32_t>(points) * pointBytes);
  out.u32(sample.loopLength == 0 ? 0 : sample.loopStart * pointBytes);
  out.u32(sample.loopLength * pointBytes);
  out.u8(sample.volume);
  out.u8(static_cast<std::uint8_t>(sample.finetune));
  out.u8((sample.loopLength == 0 ? 0 : 1) | (wide ? 0x10 : 0));  // forward loop; 16-bit
  out.u8(sample.panning);
  out.u8(static_cast<std::uint8_t>(sample.relativeNote));
  out.u8(0);
  out.text(sample.name, 22);
}

// Sample data is stored as differences between neighbours.
void writeSampleData(Bytes& out, const Sample& sample) {
  std::int16_t previousWide = 0;
  for (std::int16_t value : sample.wide) {
    out.u16(static_cast<std::uint16_t>(value - previousWide));
    previousWide = value;
  }
  if (!sample.wide.empty()) return;
  std::int8_t previous = 0;
  for (std::int8_t value : sample.data) {
    out.u8(static_cast<std::uint8_t>(value - previous));
    previous = value;
  }
}

void writeInstrument(Bytes& out, const Instrument& instrument) {
  out.u32(kInstrumentSize);
  out.text(instrument.name, 22);
  out.u8(0);
  out.u16(1);
  out.u32(kSampleHeaderSize);
  out.zeros(96);       // every note plays the instrument's one sample
  out.zeros(48 + 48);  // volume and panning envelopes, unused
  out.zeros(2 + 6 + 2 + 4);  // envelope points, sustain and loops, envelope types, vibrato
  out.u16(0);          // fade-out
  out.zeros(22);
  writeSampleHeader(out, instrument.sample);
  writeSampleData(out, instrument.sample);
}

}  // namespace

std::vector<std::uint8_t> encode(const Module& module) {
  validate(module);
  Bytes out;
  writeHeader(out, module);
  for (const Pattern& pattern : module.patterns) writePattern(out, pattern, module.instruments.size());
  for (const Instrument& instrument : module.instruments) writeInstrument(out, instrument);
  return std::move(out.data());
}

void writeFile(const Module& module, const std::filesystem::path& file) {
  const std::vector<std::uint8_t> bytes = encode(module);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error(file.string() + ": cannot be created: " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error(file.string() + ": could not be written: " + std::strerror(errno));
}

}  // namespace xm
