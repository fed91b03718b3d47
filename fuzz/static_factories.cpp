// The fuzz targets know only the classes they exercise: the test samples
// register through their own static factories, and the object reader
// stores nothing.
#include "persist/dynamic_factory.h"

void dynamic::registerStaticFactories() {}
