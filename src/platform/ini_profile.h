#pragma once

namespace platform {

// GetPrivateProfileInt for the one configuration file: section and key are
// compared without regard to case, the first occurrence of a key counts, a
// ';' comment may follow the number, and a file that cannot be read or a
// value that is not a whole number gives `fallback`.
int readProfileInt(const char* section, const char* key, int fallback, const char* file);

}  // namespace platform
