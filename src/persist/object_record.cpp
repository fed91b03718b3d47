#include "persist/object_record.h"

#include <string>

#include "persist/dynamic_factory.h"
#include "persist/persistent_store.h"

namespace {

// Deeper than any node tree; stops a crafted file from exhausting the stack.
constexpr unsigned kMaxDepth = 1024;

class DepthGuard {
 public:
  explicit DepthGuard(persistent_store& store) : store_(store) {
    if (store_.readDepth >= kMaxDepth) throw persistent::TooDeep;
    ++store_.readDepth;
  }
  ~DepthGuard() { --store_.readDepth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  persistent_store& store_;
};

void readVersionAndBody(persistent& object, persistent_store& store) {
  // A version cut off throws ReadFailed from the read itself.
  if (store.readValue<std::int16_t>() != object.version()) throw persistent::VersionMismatch;
  object.serialize(store, false);
}

}  // namespace

void writeRecord(persistent& object, persistent_store& store) {
  const dynamic::abstract_factory* maker = dynamic::factoryOf(object);
  if (maker == nullptr) throw persistent::UnknownClass;
  store.writeString(maker->className());
  store.writeValue(object.version());
  store.enterWritten(&object);
  object.serialize(store, true);
}

persistent* readRecord(persistent_store& store) {
  DepthGuard depth(store);
  const std::uint64_t offset = store.bytesRead();
  const std::string name = store.readString();
  if (name.empty()) throw persistent::EmptyClassName;
  persistent* object = dynamic::createByName(name.c_str());
  if (object == nullptr) throw persistent::UnknownClass;
  const std::uint32_t index = store.enterRead(object);
  if (store.observer != nullptr) store.observer->recordStarted(name, index, offset);
  try {
    readVersionAndBody(*object, store);
  } catch (...) {
    store.discardRead(index);
    throw;
  }
  store.finishRead(index);
  if (store.observer != nullptr) store.observer->recordFinished(index);
  return object;
}
