#pragma once
// Values as a show file writes them: numbers as short as reads back to the
// same float, texts quoted, file names with '/', curves as short lists.
#include <string>
#include <string_view>
#include <vector>

#include "shell/showfile/show_model.h"

namespace shell::showfile {

std::string numberText(float value);
std::string quotedText(std::string_view text);
// A table's key: bare when TOML allows it, else quoted.
std::string keyText(std::string_view key);
// A stock's file name ("demo\backs\1.jpg") as the file writes it, quoted.
std::string fileText(const std::string& name);
// [a, b, c], each item already written.
std::string listText(const std::vector<std::string>& items);
// A constant, a list of keys, or a table of keys with their shape and
// behaviours when these are not the usual ones.
std::string curveText(const Curve& curve);

}  // namespace shell::showfile
