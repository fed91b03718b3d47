#include "persist/record_dump.h"

#include <iomanip>

void RecordDump::lineStart(std::uint64_t offset) {
  out_ << '@' << std::left << std::setw(10) << offset << std::right << std::string(2 * open_.size(), ' ');
}

void RecordDump::recordStarted(std::string_view className, std::uint32_t index, std::uint64_t offset) {
  lineStart(offset);
  out_ << '#' << index << ' ' << className << '\n';
  if (names_.size() <= index) names_.resize(index + 1);
  names_[index] = className;
  open_.push_back(index);
}

void RecordDump::recordFinished(std::uint32_t index) {
  if (!open_.empty() && open_.back() == index) open_.pop_back();
}

void RecordDump::backReference(std::uint32_t index, std::uint64_t offset) {
  lineStart(offset);
  out_ << "-> #" << index;
  if (index < names_.size()) out_ << " (" << names_[index] << ')';
  out_ << '\n';
}

std::string RecordDump::openPath() const {
  std::string path;
  for (const std::uint32_t index : open_) {
    if (!path.empty()) path += " > ";
    path += names_[index] + " #" + std::to_string(index);
  }
  return path;
}
