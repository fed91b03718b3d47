#include "platform/dialogs.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>

#include "platform/message_text.h"

namespace platform {
namespace {

enum ButtonId { kYes = 6, kNo = 7, kCancel = 2 };  // IDYES, IDNO, IDCANCEL

bool showGraphicalQuestion(const std::string& text, const std::string& caption, Answer& answer) {
  const SDL_MessageBoxButtonData buttons[] = {
      {0, kYes, "Yes"},
      {0, kNo, "No"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancel, "Cancel"},
  };
  const std::string shown = layOutMessageText(text, kMessageBoxColumns);
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, caption.c_str(), shown.c_str(),
                               SDL_arraysize(buttons), buttons, nullptr};
  int pressed = kCancel;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return false;
  answer = pressed == kYes ? Answer::Yes : pressed == kNo ? Answer::No : Answer::Cancel;
  return true;
}

}  // namespace

Answer askOnTerminal(const std::string& text, const std::string& caption, std::FILE* in, std::FILE* out) {
  std::fprintf(out, "%s\n\n%s\n\n[y]es, [n]o or [c]ancel (default: cancel)? ", caption.c_str(), text.c_str());
  std::fflush(out);
  char line[64];
  if (std::fgets(line, sizeof line, in) == nullptr) return Answer::Cancel;
  switch (std::tolower(static_cast<unsigned char>(line[0]))) {
    case 'y': return Answer::Yes;
    case 'n': return Answer::No;
    default: return Answer::Cancel;
  }
}

Answer askYesNoCancel(const std::string& text, const std::string& caption, bool graphical) {
  Answer answer = Answer::Cancel;
  if (graphical && showGraphicalQuestion(text, caption, answer)) return answer;
  if (isatty(STDIN_FILENO)) return askOnTerminal(text, caption, stdin, stdout);
  return Answer::Unavailable;
}

void showErrorBox(SDL_Window* owner, const std::string& text, const std::string& caption, bool graphical) {
  if (graphical && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(),
                                            layOutMessageText(text, kMessageBoxColumns).c_str(), owner) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace platform
