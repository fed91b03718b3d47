#pragma once
// The object record, the unit of every stream: class name (zero-terminated),
// 16-bit version, then the body the class's serialize writes.
#include "persist/persistent.h"

class persistent_store;

// Throws persistent::UnknownClass when the object's class is not registered.
void writeRecord(persistent& object, persistent_store& store);

// Throws persistent::exception. The object returned stays in the store's
// keeping until an owner adopts it (persistent_store::adopt).
persistent* readRecord(persistent_store& store);
