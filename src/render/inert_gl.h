#pragma once
// A GL table that does nothing: every entry point accepts its arguments and
// answers zero or null. For programs that must run GL-using code without a
// context (kstdump reading textures) and for measuring the engine's own cost
// apart from the driver's. Capability flags are left as they are.
void InstallInertGLTable();
