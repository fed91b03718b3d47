// Arbitrary bytes as one object record of the test classes: any input must
// end in an object or a persistent::exception, without crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "persist/object_record.h"
#include "support/memory_store.h"
#include "support/persist_samples.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::MemoryStore store(std::vector<std::uint8_t>(data, data + size));
  try {
    auto root = store.adopt<persistent>(readRecord(store));
  } catch (persistent::exception) {
  }
  return 0;
}
