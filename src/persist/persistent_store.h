#pragma once
// A sink and source of bytes with the bookkeeping that lets a graph of
// objects (shared, cyclic) be written once and read back with the same
// shape. Subclasses only move bytes; every value encoding lives here so that
// all stores produce the same stream.
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "persist/persistent.h"
#include "persist/stored_values.h"

// Watches the records of a stream being read; tools use it to show the tree.
class record_observer {
 public:
  virtual ~record_observer() = default;
  virtual void recordStarted(std::string_view className, std::uint32_t index,
                             std::uint64_t offset) = 0;
  virtual void recordFinished(std::uint32_t index) = 0;
  virtual void backReference(std::uint32_t index, std::uint64_t offset) = 0;
};

template <class T>
concept stored_scalar = std::is_arithmetic_v<T> || std::is_enum_v<T>;

class persistent_store {
 public:
  persistent_store() = default;
  // Frees every object read through this store that no owner adopted, so a
  // failed load leaves nothing behind. checkPlainReferences says beforehand
  // whether a plain reference still points at one of them.
  virtual ~persistent_store();
  persistent_store(const persistent_store&) = delete;
  persistent_store& operator=(const persistent_store&) = delete;

  // Item counts moved; fewer than asked means the sink or source gave out.
  virtual std::int32_t write(const void* data, std::size_t size, std::size_t count) = 0;
  virtual std::int32_t read(void* data, std::size_t size, std::size_t count) = 0;
  // An object reference of any tag: null (0), a record that follows (1), an
  // object read before (2). What a tag 1 brings stays in the store's keeping
  // until an owner adopts it; serialize goes through exchangeOwned or
  // exchangeReference rather than these.
  virtual persistent* readObject();
  virtual void writeObject(persistent* object);

  std::unordered_map<const persistent*, std::uint32_t> writtenObjects;
  std::vector<persistent*> readObjects;
  record_observer* observer = nullptr;
  // Reading: textures keep their pictures for a later upload instead of
  // going to GL as they are read (a read on a thread without GL).
  bool keepPictures = false;

  // Raw bytes. Nothing in a stream is optional, so a short transfer throws
  // (ReadFailed / WriteFailed) instead of leaving fields half filled.
  void writeBytes(const void* data, std::size_t size);
  void readBytes(void* data, std::size_t size);
  std::uint64_t bytesRead() const { return bytesRead_; }

  template <stored_scalar T>
  void writeValue(T value) {
    if constexpr (std::is_same_v<T, bool>) value = value ? 1 : 0;
    writeBytes(&value, sizeof value);
  }
  template <stored_scalar T>
  T readValue() {
    if constexpr (std::is_same_v<T, bool>) {
      return readValue<std::uint8_t>() != 0;
    } else {
      T value;
      readBytes(&value, sizeof value);
      return value;
    }
  }

  void writeVarint(std::uint32_t value);
  std::uint32_t readVarint();
  void writeString(std::string_view text);
  std::string readString();
  template <std::size_t N>
  void writeFloats(const std::array<float, N>& values) { writeBytes(values.data(), sizeof values); }
  template <std::size_t N>
  void readFloats(std::array<float, N>& values) { readBytes(values.data(), sizeof values); }
  void writeBox(const persist::BoundingBox& box);
  persist::BoundingBox readBox();
  void writeDelta16(std::span<const std::uint16_t> values);
  std::vector<std::uint16_t> readDelta16();
  void writeDelta32(std::span<const std::uint32_t> values);
  std::vector<std::uint32_t> readDelta32();

  // One call per field inside a serialize: writes or reads by the flag.
  template <stored_scalar T>
  void exchange(bool writing, T& value) {
    if (writing) writeValue(value); else value = readValue<T>();
  }
  template <std::size_t N>
  void exchange(bool writing, std::array<float, N>& values) {
    if (writing) writeFloats(values); else readFloats(values);
  }
  void exchange(bool writing, std::string& text);
  void exchange(bool writing, persist::BoundingBox& box);
  void exchangeVarint(bool writing, std::uint32_t& value);
  // Signed values go as their 32-bit pattern: -1 is the varint of 0xFFFFFFFF.
  void exchangeVarint(bool writing, std::int32_t& value);
  void exchangeDelta(bool writing, std::vector<std::uint16_t>& values);
  void exchangeDelta(bool writing, std::vector<std::uint32_t>& values);

  // Each reference a serialize exchanges says whether the object owns what
  // it points at. Owners come first in every stream, so an owning reference
  // brings the record (tag 1) and every plain one is null or points back
  // (tag 0 or 2).

  // A pointer the object owns; null when the stored object is of another
  // class or already has an owner.
  template <class T>
  void exchangeOwned(bool writing, std::unique_ptr<T>& owned) {
    if (writing) writeObject(owned.get()); else owned = adopt<T>(readObject());
  }
  // A pointer the object does not own; null when the stored object is of
  // another class. Writing one whose object has not been written yet, or
  // reading a record in its place, throws BadReference: the object would
  // have no owner, and the store would free it under the pointer.
  template <class T>
  void exchangeReference(bool writing, T*& reference) {
    if (writing) writeReference(reference); else reference = dynamic_cast<T*>(readReference());
  }
  void writeReference(const persistent* object);
  persistent* readReference();

  // Takes an object read through this store out of the store's keeping, for
  // the record being read (or, outside any record, for the caller). Null
  // when the object is of another class, is still being read (a damaged
  // file making an object own its ancestor), or already has an owner; the
  // store then keeps (and later frees) it.
  template <class T>
  std::unique_ptr<T> adopt(persistent* object) {
    T* typed = dynamic_cast<T*>(object);
    if (typed == nullptr || !releaseHeld(object)) return nullptr;
    return std::unique_ptr<T>(typed);
  }

  // Once the stream is read and its root adopted: throws BadReference when
  // an object a plain reference points at is left to the store (no owner
  // adopted it or an owner of its owners), which would free it under that
  // reference.
  void checkPlainReferences() const;

  // Bookkeeping of object records.
  std::uint32_t enterWritten(const persistent* object);
  std::uint32_t enterRead(persistent* object);
  void finishRead(std::uint32_t index);
  void discardRead(std::uint32_t index);

 private:
  enum class Hold : std::uint8_t { Reading, Store, Adopted, Freed };
  static constexpr std::uint32_t kCaller = UINT32_MAX;  // adopted outside any record
  struct Keeping {
    Hold hold = Hold::Reading;
    bool pointedAt = false;         // by a plain reference
    std::uint32_t owner = kCaller;  // read index of the adopting record
  };

  std::uint32_t readIndex();  // of a tag 2, checked against what was read
  bool releaseHeld(const persistent* object);
  std::size_t heldIndex(const persistent* object) const;
  bool survives(std::uint32_t index, std::vector<std::int8_t>& known) const;

  std::vector<Keeping> keeping_;    // by read index
  std::vector<std::uint32_t> open_;  // records being read, innermost last
  std::size_t lastFinished_ = SIZE_MAX;
  std::uint64_t bytesRead_ = 0;
};
