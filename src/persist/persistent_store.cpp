// Object references and the keeping of objects while a stream is read.
#include "persist/persistent_store.h"

#include "persist/object_record.h"

namespace {
enum Tag : std::uint8_t { NullTag = 0, RecordTag = 1, IndexTag = 2 };
}  // namespace

persistent_store::~persistent_store() {
  for (std::size_t i = readObjects.size(); i-- > 0;) {
    if (holds_[i] == Hold::Store) delete readObjects[i];
  }
}

void persistent_store::writeObject(persistent* object) {
  if (object == nullptr) {
    writeValue<std::uint8_t>(NullTag);
    return;
  }
  if (const auto found = writtenObjects.find(object); found != writtenObjects.end()) {
    writeValue<std::uint8_t>(IndexTag);
    writeVarint(found->second);
    return;
  }
  writeValue<std::uint8_t>(RecordTag);
  writeRecord(*object, *this);
}

persistent* persistent_store::readObject() {
  switch (readValue<std::uint8_t>()) {
    case NullTag:
      return nullptr;
    case RecordTag:
      return readRecord(*this);
    case IndexTag: {
      const std::uint64_t offset = bytesRead_;
      const std::uint32_t index = readVarint();
      if (index >= readObjects.size()) throw persistent::BadReference;
      if (observer != nullptr) observer->backReference(index, offset);
      return readObjects[index];
    }
    default:
      throw persistent::BadReference;
  }
}

std::uint32_t persistent_store::enterWritten(const persistent* object) {
  const auto index = static_cast<std::uint32_t>(writtenObjects.size());
  writtenObjects.emplace(object, index);
  return index;
}

std::uint32_t persistent_store::enterRead(persistent* object) {
  readObjects.push_back(object);
  holds_.push_back(Hold::Reading);
  return static_cast<std::uint32_t>(readObjects.size() - 1);
}

void persistent_store::finishRead(std::uint32_t index) {
  holds_[index] = Hold::Store;
  lastFinished_ = index;
}

void persistent_store::discardRead(std::uint32_t index) {
  delete readObjects[index];
  readObjects[index] = nullptr;
  holds_[index] = Hold::Freed;
}

// The object adopted is nearly always the record that has just finished.
std::size_t persistent_store::heldIndex(const persistent* object) const {
  if (lastFinished_ < readObjects.size() && readObjects[lastFinished_] == object) return lastFinished_;
  for (std::size_t i = readObjects.size(); i-- > 0;) {
    if (readObjects[i] == object) return i;
  }
  return SIZE_MAX;
}

bool persistent_store::releaseHeld(const persistent* object) {
  const std::size_t index = heldIndex(object);
  if (index == SIZE_MAX || holds_[index] != Hold::Store) return false;
  holds_[index] = Hold::Adopted;
  return true;
}
