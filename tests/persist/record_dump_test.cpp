// The record tree printed while a stream is read.
#include <gtest/gtest.h>

#include <sstream>

#include "persist/object_record.h"
#include "persist/record_dump.h"
#include "support/memory_store.h"
#include "support/persist_samples.h"

namespace {

TEST(RecordDump, ShowsNestingIndicesOffsetsAndBackReferences) {
  sample::Node root;
  auto child = std::make_unique<sample::Node>();
  child->parent = &root;
  root.children.push_back(std::move(child));
  fake::MemoryStore store;
  writeRecord(root, store);

  std::ostringstream out;
  RecordDump dump(out);
  store.observer = &dump;
  store.adopt<persistent>(readRecord(store));
  // Root: name(19) + version(2) + empty name(1) + two null references(2) +
  // count(1) + tag(1) puts the child at 26; its name, version and empty
  // name bring the parent reference to 26 + 19 + 2 + 1 = 48, whose tag is
  // one byte before the index.
  EXPECT_EQ(out.str(),
            "@0         #0 class sample::Node\n"
            "@26          #1 class sample::Node\n"
            "@49            -> #0 (class sample::Node)\n");
  EXPECT_EQ(dump.openPath(), "");
}

TEST(RecordDump, SaysWhereAReadStopped) {
  const std::string name = "class sample::Node";
  std::vector<std::uint8_t> bytes(name.begin(), name.end());
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0x81, 0x01});
  bytes.insert(bytes.end(), name.begin(), name.end());
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0x07});
  fake::MemoryStore store(bytes);
  std::ostringstream out;
  RecordDump dump(out);
  store.observer = &dump;
  EXPECT_THROW(readRecord(store), persistent::exception);
  EXPECT_EQ(dump.openPath(), "class sample::Node #0 > class sample::Node #1");
}

}  // namespace
