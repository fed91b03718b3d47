#pragma once
#include <SDL.h>

#include <string>

#include "platform/host.h"

namespace platform {

// The Yes / No / Cancel question and the error box. With `graphical` false
// (headless) or when no dialog can be shown, the question goes to the
// terminal when standard input is one; otherwise the answer is Unavailable.
Answer askYesNoCancel(const std::string& text, const std::string& caption, bool graphical);
void showErrorBox(SDL_Window* owner, const std::string& text, const std::string& caption, bool graphical);

// The terminal form of the question, separated for tests: reads one line.
Answer askOnTerminal(const std::string& text, const std::string& caption, std::FILE* in, std::FILE* out);

}  // namespace platform
