// Object references and the keeping of objects while a stream is read.
#include "persist/persistent_store.h"

#include "persist/object_record.h"

namespace {
enum Tag : std::uint8_t { NullTag = 0, RecordTag = 1, IndexTag = 2 };
}  // namespace

persistent_store::~persistent_store() {
  for (std::size_t i = readObjects.size(); i-- > 0;) {
    if (keeping_[i].hold == Hold::Store) delete readObjects[i];
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
    case NullTag: return nullptr;
    case RecordTag: return readRecord(*this);
    case IndexTag: return readObjects[readIndex()];
    default: throw persistent::BadReference;
  }
}

void persistent_store::writeReference(const persistent* object) {
  if (object != nullptr && !writtenObjects.contains(object)) throw persistent::BadReference;
  writeObject(const_cast<persistent*>(object));
}

persistent* persistent_store::readReference() {
  switch (readValue<std::uint8_t>()) {
    case NullTag: return nullptr;
    case IndexTag: {
      const std::uint32_t index = readIndex();
      keeping_[index].pointedAt = true;
      return readObjects[index];
    }
    default: throw persistent::BadReference;
  }
}

std::uint32_t persistent_store::readIndex() {
  const std::uint64_t offset = bytesRead_;
  const std::uint32_t index = readVarint();
  if (index >= readObjects.size()) throw persistent::BadReference;
  if (observer != nullptr) observer->backReference(index, offset);
  return index;
}

std::uint32_t persistent_store::enterWritten(const persistent* object) {
  const auto index = static_cast<std::uint32_t>(writtenObjects.size());
  writtenObjects.emplace(object, index);
  return index;
}

std::uint32_t persistent_store::enterRead(persistent* object) {
  const auto index = static_cast<std::uint32_t>(readObjects.size());
  readObjects.push_back(object);
  keeping_.emplace_back();
  open_.push_back(index);
  return index;
}

void persistent_store::finishRead(std::uint32_t index) {
  keeping_[index].hold = Hold::Store;
  open_.pop_back();
  lastFinished_ = index;
}

void persistent_store::discardRead(std::uint32_t index) {
  delete readObjects[index];
  readObjects[index] = nullptr;
  keeping_[index].hold = Hold::Freed;
  open_.pop_back();
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
  if (index == SIZE_MAX || keeping_[index].hold != Hold::Store) return false;
  keeping_[index].hold = Hold::Adopted;
  keeping_[index].owner = open_.empty() ? kCaller : open_.back();
  return true;
}

void persistent_store::checkPlainReferences() const {
  std::vector<std::int8_t> known(readObjects.size(), 0);  // 1 survives, -1 freed, 0 not yet known
  for (std::uint32_t i = 0; i < keeping_.size(); ++i) {
    if (keeping_[i].pointedAt && !survives(i, known)) throw persistent::BadReference;
  }
}

// An object outlives the store when its chain of owners ends at the caller.
// Owners always finish reading after what they own, so the chain has no loop.
bool persistent_store::survives(std::uint32_t index, std::vector<std::int8_t>& known) const {
  std::vector<std::uint32_t> chain;
  bool alive = false;
  for (std::uint32_t i = index;; i = keeping_[i].owner) {
    if (known[i] != 0) {
      alive = known[i] > 0;
      break;
    }
    chain.push_back(i);
    if (keeping_[i].hold != Hold::Adopted) break;
    if (keeping_[i].owner == kCaller) {
      alive = true;
      break;
    }
  }
  for (const std::uint32_t i : chain) known[i] = alive ? 1 : -1;
  return alive;
}
