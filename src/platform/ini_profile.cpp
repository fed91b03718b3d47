#include "platform/ini_profile.h"

#include <ini.h>
#include <strings.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace platform {
namespace {

struct Lookup {
  const char* section;
  const char* key;
  std::optional<int> value;
  bool seen = false;
};

std::optional<int> parseWholeNumber(const char* text) {
  char* end = nullptr;
  errno = 0;
  long number = std::strtol(text, &end, 10);
  if (end == text || errno == ERANGE || number < INT_MIN || number > INT_MAX) return std::nullopt;
  while (*end == ' ' || *end == '\t') ++end;
  // A comment may follow the number directly ("75;comment"); only a blank
  // before the ';' makes the INI reader itself drop it.
  if (*end != '\0' && *end != ';') return std::nullopt;
  return static_cast<int>(number);
}

int onEntry(void* user, const char* section, const char* name, const char* value) {
  auto* lookup = static_cast<Lookup*>(user);
  if (!lookup->seen && strcasecmp(section, lookup->section) == 0 && strcasecmp(name, lookup->key) == 0) {
    lookup->seen = true;
    lookup->value = parseWholeNumber(value);
  }
  return 1;  // keep going: a later malformed line must not hide an earlier good key
}

}  // namespace

int readProfileInt(const char* section, const char* key, int fallback, const char* file) {
  Lookup lookup{section, key, std::nullopt};
  if (ini_parse(file, onEntry, &lookup) < 0) return fallback;  // cannot open or read
  return lookup.value.value_or(fallback);
}

}  // namespace platform
