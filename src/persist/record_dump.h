#pragma once
// Prints the record tree of a stream as it is read: one line per record
// (decompressed byte offset, nesting, index, class name) and per back
// reference. Remembers which records are open, to say where a read failed.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "persist/persistent_store.h"

class RecordDump : public record_observer {
 public:
  explicit RecordDump(std::ostream& out) : out_(out) {}

  void recordStarted(std::string_view className, std::uint32_t index, std::uint64_t offset) override;
  void recordFinished(std::uint32_t index) override;
  void backReference(std::uint32_t index, std::uint64_t offset) override;

  // "class A #0 > class B #3" for the records still open; empty when none.
  std::string openPath() const;
  std::size_t recordCount() const { return names_.size(); }

 private:
  void lineStart(std::uint64_t offset);

  std::ostream& out_;
  std::vector<std::string> names_;   // by index
  std::vector<std::uint32_t> open_;  // indices, outermost first
};
