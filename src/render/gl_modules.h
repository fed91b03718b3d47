#pragma once
// The three libraries the GL table is filled from, looked up in the order
// "opengl32.dll", "glu32.dll", "gdi32.dll".

// True once any of the three was loaded.
bool GLModulesLoaded();

// Loads all three; false when any of them cannot be had.
bool LoadGLModules();

// The first module that exports `name`, or null.
void* FindInGLModules(const char* name);

// Forgets the handles, so the next load starts again.
void ForgetGLModules();
