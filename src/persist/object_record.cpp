#include "persist/object_record.h"

#include <string>

#include "persist/dynamic_factory.h"
#include "persist/persistent_store.h"
#include "platform/thread_stacks.h"

namespace {

// What the deepest record may still need below the last guard: its own
// fields, a picture to decode, a texture to upload, the unwinding of a
// failure.
constexpr std::uintptr_t kStackReserve = 1 << 20;

// Far more than any stored class name: a longer one names no class.
constexpr std::size_t kLongestClassName = 255;

// Records nest once per level of the object graph and, in scene files, once
// per sibling of a node chain: the depth a stream may reach is set by the
// stack of the thread reading it, not by a count.
void checkStackRoom() {
  const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  if (here < platform::stackFloor() + kStackReserve) throw persistent::TooDeep;
}

void readVersionAndBody(persistent& object, persistent_store& store) {
  // A version cut off throws ReadFailed from the read itself.
  if (store.readValue<std::int16_t>() != object.version()) throw persistent::VersionMismatch;
  object.serialize(store, false);
}

// Reads the class name and enters a new object of that class; its index.
// The name is gone before the body is read: records nest deep.
std::uint32_t enterNamedObject(persistent_store& store) {
  const std::uint64_t offset = store.bytesRead();
  const std::string name = store.readString(kLongestClassName);
  if (name.empty()) throw persistent::EmptyClassName;
  std::unique_ptr<persistent> object(dynamic::createByName(name.c_str()));
  if (object == nullptr) throw persistent::UnknownClass;
  if (store.observer != nullptr)
    store.observer->recordStarted(name, static_cast<std::uint32_t>(store.readObjects.size()), offset);
  return store.enterRead(object.release());
}

// A record being read: its object is freed unless the record is read to
// the end. A destructor rather than a catch, so that a failure deep down
// unwinds once instead of being thrown again at every level.
class Reading {
 public:
  Reading(persistent_store& store, std::uint32_t index) : store_(store), index_(index) {}
  ~Reading() {
    if (!finished_) store_.discardRead(index_);
  }
  Reading(const Reading&) = delete;
  Reading& operator=(const Reading&) = delete;

  void finish() {
    store_.finishRead(index_);
    finished_ = true;
  }

 private:
  persistent_store& store_;
  std::uint32_t index_;
  bool finished_ = false;
};

}  // namespace

void writeRecord(persistent& object, persistent_store& store) {
  checkStackRoom();
  const dynamic::abstract_factory* maker = dynamic::factoryOf(object);
  if (maker == nullptr) throw persistent::UnknownClass;
  store.writeString(maker->className());
  store.writeValue(object.version());
  store.enterWritten(&object);
  object.serialize(store, true);
}

persistent* readRecord(persistent_store& store) {
  checkStackRoom();
  const std::uint32_t index = enterNamedObject(store);
  persistent& object = *store.readObjects[index];
  Reading reading(store, index);
  readVersionAndBody(object, store);
  reading.finish();
  if (store.observer != nullptr) store.observer->recordFinished(index);
  return &object;
}

std::unique_ptr<persistent> readRoot(persistent_store& store) {
  std::unique_ptr<persistent> root = store.adopt<persistent>(readRecord(store));
  store.checkPlainReferences();
  return root;
}
