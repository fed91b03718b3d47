// Arbitrary bytes as the root record of a stream of the test classes: any
// input must end in an object graph whose plain references all hold, or in
// a persistent::exception, without crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "persist/object_record.h"
#include "support/memory_store.h"
#include "support/persist_samples.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<persistent> root;
  try {
    fake::MemoryStore store(std::vector<std::uint8_t>(data, data + size));
    root = readRoot(store);
  } catch (persistent::exception) {
  }
  if (root != nullptr) sample::followReferences(*root);
  return 0;
}
