#pragma once
// A show as a show file: a short guide in comments, the materials, then
// each section with its loads, layers and events, in the order they happen.
// Reading the text back gives the same show.
#include <string>

#include "shell/showfile/show_model.h"

namespace shell::showfile {

std::string showText(const Show& show);

}  // namespace shell::showfile
