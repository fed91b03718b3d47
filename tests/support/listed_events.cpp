#include "support/listed_events.h"

#include <cstdio>
#include <cstring>

#include "shell/event_listing.h"

namespace fake {

std::vector<std::string> listedEvents() {
  std::FILE* out = std::tmpfile();
  shell::printEvents(out);
  std::rewind(out);
  std::vector<std::string> lines;
  char text[512];
  while (std::fgets(text, sizeof text, out) != nullptr) lines.emplace_back(text, std::strlen(text) - 1);
  std::fclose(out);
  return lines;
}

}  // namespace fake
