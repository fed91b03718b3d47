#pragma once
// The object record, the unit of every stream: class name (zero-terminated),
// 16-bit version, then the body the class's serialize writes.
#include <memory>

#include "persist/persistent.h"

class persistent_store;

// Throws persistent::UnknownClass when the object's class is not registered.
void writeRecord(persistent& object, persistent_store& store);

// Throws persistent::exception. The object returned stays in the store's
// keeping until an owner adopts it (persistent_store::adopt). Records nest
// as deep as the reading thread's stack allows, with room to spare for the
// deepest record's own work; deeper ones throw TooDeep.
persistent* readRecord(persistent_store& store);

// Reads one record as the root of a whole stream and hands it to the
// caller, who then owns, through it, everything a plain reference points at
// (persistent_store::checkPlainReferences). Throws persistent::exception;
// what was read is then freed.
std::unique_ptr<persistent> readRoot(persistent_store& store);
