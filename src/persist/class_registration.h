#pragma once
// Registers the heap factories of the classes that scene files may name.
// Run by device creation; it registers once however often a device is made.
// Defined with the list of those classes, by the folder that owns them
// (scene/class_registration.cpp): the registry stays unaware of what it
// stores. A program that reads records of its own classes only (the record
// fuzz target) leaves it out.
void RegisterClassFactories();
