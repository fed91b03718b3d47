// Every way an object record can fail, and that a failed read frees what it
// made (the sanitizer build checks for leaks).
#include <gtest/gtest.h>

#include <string>

#include "support/memory_store.h"
#include "persist/object_record.h"
#include "platform/thread_stacks.h"
#include "support/persist_samples.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes record(const std::string& name, Bytes rest) {
  Bytes bytes(name.begin(), name.end());
  bytes.push_back(0);
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  return bytes;
}

persistent::exception readFailure(Bytes bytes) {
  fake::MemoryStore store(std::move(bytes));
  try {
    readRoot(store);
  } catch (persistent::exception e) {
    return e;
  }
  ADD_FAILURE() << "the record was read";
  return persistent::exception{};
}

TEST(RecordErrors, EachCauseHasItsValue) {
  EXPECT_EQ(readFailure(Bytes{0x00}), persistent::EmptyClassName);
  EXPECT_EQ(readFailure(record("class sample::Nothing", {0x00, 0x00})), persistent::UnknownClass);
  EXPECT_EQ(readFailure(record("class sample::empty", {0x00, 0x00})), persistent::UnknownClass);
  EXPECT_EQ(readFailure(record("class sample::Empty", {0x01, 0x00})), persistent::VersionMismatch);
  EXPECT_EQ(readFailure(record("class sample::Empty", {0x00})), persistent::ReadFailed);
  EXPECT_EQ(readFailure(Bytes{'c', 'l'}), persistent::ReadFailed);
}

// A name that runs on (a damaged stream, or a small compressed file that
// expands without end) fails as soon as it passes the longest a name may
// be, without reading on to its end.
TEST(RecordErrors, OverlongStringsFailAtTheirLimit) {
  fake::MemoryStore className(record(std::string(300, 'x'), {0x00, 0x00}));
  EXPECT_THROW(readRoot(className), persistent::exception);
  EXPECT_EQ(className.position, 256u);  // 255 characters kept, the next one refused
  for (std::size_t length : {std::size_t{65535}, std::size_t{65536}}) {
    fake::MemoryStore text(record(std::string(length, 'a'), {}));
    if (length == persistent_store::kLongestString)
      EXPECT_EQ(text.readString().size(), length);
    else
      EXPECT_THROW(text.readString(), persistent::exception);
  }
}

TEST(RecordErrors, ReferenceTagsOutsideTheFormatFail) {
  // Node body: name "", parent reference, ...
  EXPECT_EQ(readFailure(record("class sample::Node", {0x00, 0x00, 0x00, 0x03})), persistent::BadReference);
  EXPECT_EQ(readFailure(record("class sample::Node", {0x00, 0x00, 0x00, 0x02, 0x81})),
            persistent::BadReference);
}

TEST(RecordErrors, NestingBeyondTheReadingStackFailsCleanly) {
  // Each sibling's record nests inside the one before: no scene, no first
  // child, the next sibling follows. The chain never ends: the guard must
  // stop it first, and free what it read.
  Bytes bytes;
  for (int sibling = 0; sibling < 100000; ++sibling) {
    const Bytes head = record("class sample::Linked", {0x00, 0x00, 0x00, 0x00, 0x01});
    bytes.insert(bytes.end(), head.begin(), head.end());
  }
  persistent::exception failure{};
  ASSERT_TRUE(platform::runWithStack(std::size_t{2} << 20, [&] { failure = readFailure(bytes); }));
  EXPECT_EQ(failure, persistent::TooDeep);
}

TEST(RecordErrors, RecordBehindAPlainReferenceFails) {
  // Nothing would own a record that stands where a node's parent does.
  const Bytes parent = record("class sample::Node", {0x00, 0x00, 0x00, 0x00, 0x00, 0x80});
  Bytes bytes = record("class sample::Node", {0x00, 0x00, 0x00, 0x01});
  bytes.insert(bytes.end(), parent.begin(), parent.end());
  bytes.insert(bytes.end(), {0x00, 0x80});
  EXPECT_EQ(readFailure(bytes), persistent::BadReference);
}

TEST(RecordErrors, PlainReferenceToAnObjectNoOwnerKeptFails) {
  // Root #0 (Linked): its first child is a Node #1, which a Linked slot
  // refuses, so the store keeps it; the next sibling #2 points its scene at
  // #1, which the store frees when it goes.
  const Bytes refused = record("class sample::Node", {0x00, 0x00, 0x00, 0x00, 0x00, 0x80});
  const Bytes sibling = record("class sample::Linked", {0x00, 0x00, 0x02, 0x81, 0x00, 0x00, 0x02, 0x80});
  Bytes bytes = record("class sample::Linked", {0x00, 0x00, 0x00, 0x01});
  bytes.insert(bytes.end(), refused.begin(), refused.end());
  bytes.push_back(0x01);
  bytes.insert(bytes.end(), sibling.begin(), sibling.end());
  bytes.push_back(0x00);
  EXPECT_EQ(readFailure(bytes), persistent::BadReference);
}

TEST(RecordErrors, FailureDeepInsideAGraphFreesEveryObject) {
  // root node with two children: a complete leaf-less node and a cut one.
  Bytes bytes = record("class sample::Node", {0x00, 0x00, 'r', 0x00, 0x00, 0x00, 0x82, 0x01});
  const Bytes first = record("class sample::Node", {0x00, 0x00, 'a', 0x00, 0x00, 0x00, 0x80, 0x01});
  const Bytes second = record("class sample::Leaf", {0x00, 0x00, 0x07});
  bytes.insert(bytes.end(), first.begin(), first.end());
  bytes.insert(bytes.end(), second.begin(), second.end());
  EXPECT_EQ(readFailure(bytes), persistent::ReadFailed);
}

TEST(RecordErrors, VersionIsReadBeforeTheObjectJoinsAndThenReleased) {
  fake::MemoryStore store(record("class sample::Empty", {0x01, 0x00}));
  EXPECT_THROW(readRecord(store), persistent::exception);
  ASSERT_EQ(store.readObjects.size(), 1u);
  EXPECT_EQ(store.readObjects[0], nullptr);
}

TEST(RecordErrors, SinkThatRefusesBytesFailsTheWrite) {
  struct FullSink : fake::MemoryStore {
    std::int32_t write(const void*, std::size_t, std::size_t) override { return 0; }
  };
  FullSink sink;
  sample::Empty empty;
  try {
    writeRecord(empty, sink);
    FAIL();
  } catch (persistent::exception e) {
    EXPECT_EQ(e, persistent::WriteFailed);
  }
}

}  // namespace
