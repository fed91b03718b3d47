#pragma once
// Object records assembled byte by byte for tests of stored forms, and
// records written and read through a store in memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "support/memory_store.h"

namespace fake {

struct RecordBytes {
  // A record header: the class name and version 0.
  RecordBytes& header(const char* className) {
    data.insert(data.end(), className, className + std::strlen(className) + 1);
    return value<std::int16_t>(0);
  }
  template <typename T>
  RecordBytes& value(T v) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
    data.insert(data.end(), p, p + sizeof v);
    return *this;
  }
  RecordBytes& floats(std::initializer_list<float> values) {
    for (float v : values) value(v);
    return *this;
  }
  // A scene node's links, all four null, and the identity offset matrix.
  RecordBytes& nodeLinks() { return value<std::uint32_t>(0).floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}); }

  std::vector<std::uint8_t> data;
};

inline std::vector<std::uint8_t> recordOf(persistent& object) {
  RegisterClassFactories();
  MemoryStore store;
  writeRecord(object, store);
  return store.bytes;
}

// The object of the record, of class T (null otherwise); the record must be read to its end.
template <class T>
std::unique_ptr<T> readRecordAs(const std::vector<std::uint8_t>& bytes) {
  RegisterClassFactories();
  MemoryStore store(bytes);
  std::unique_ptr<T> object = store.adopt<T>(readRecord(store));
  EXPECT_EQ(store.position, store.bytes.size()) << "the whole record is read";
  return object;
}

}  // namespace fake
