#pragma once

// Registers the factory of every class that scene files may name. Run once
// by device creation; classes add themselves here as they arrive.
void RegisterClassFactories();
