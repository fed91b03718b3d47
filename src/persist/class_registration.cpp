#include "persist/class_registration.h"

void RegisterClassFactories() {
  // No stored classes exist yet.
}
