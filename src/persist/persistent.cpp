#include "persist/persistent.h"

void persistent::serialize(persistent_store&, bool) {}

const char* exceptionText(persistent::exception error) {
  switch (error) {
    case persistent::VersionMismatch: return "stored version differs from the class version";
    case persistent::UnknownClass: return "no registered class has the stored name";
    case persistent::ReadFailed: return "the stream ended early or is damaged";
    case persistent::EmptyClassName: return "empty class name";
    case persistent::BadReference: return "bad object reference (tag, index, or an object no owner holds)";
    case persistent::BadVarint: return "varint longer than 32 bits";
    case persistent::TooDeep: return "records nested deeper than the reading stack holds";
    case persistent::WriteFailed: return "the output did not accept the bytes";
  }
  return "unknown error";
}
