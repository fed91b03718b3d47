#pragma once

// Registers the heap factories of the classes that scene files may name.
// Run by device creation; it registers once however often a device is made.
void RegisterClassFactories();
