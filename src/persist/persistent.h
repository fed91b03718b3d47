#pragma once
// Base of every class that can live in a scene file. One `serialize` both
// writes and reads the object's fields, so the two directions cannot drift
// apart.
#include <cstdint>

class persistent_store;

class persistent {
 public:
  // Thrown by value when an object record cannot be read or written.
  enum exception {
    VersionMismatch = 1,  // stored version differs from version()
    UnknownClass = 2,     // no registered factory makes the stored class name
    ReadFailed = 3,       // the stream ended or is damaged (short read)
    EmptyClassName = 4,   // the stored class name is empty
    BadReference = 5,     // tag not 0, 1 or 2, index not yet read, or an object no owner holds
    BadVarint = 6,        // varint longer than five bytes or above 32 bits
    TooDeep = 7,          // records nested deeper than the reading stack holds
    WriteFailed = 8,      // the sink accepted fewer bytes than given
  };

  persistent() = default;
  // Virtual so that a store can release a half-read object of any class.
  virtual ~persistent() = default;

  virtual void serialize(persistent_store& store, bool writing);
  virtual std::int16_t version() const { return 0; }
};

// The reason as words, for messages and tools.
const char* exceptionText(persistent::exception error);
