#pragma once
// A show built by code, taken down as a show file's model: `build` makes it
// without reading any file, its loads and section starts noted as it goes,
// then its timeline is read event by event (each event in the section that
// made it, each layer from its activation) and it is released again.
// Materials are named M1, M2, ... in the order layers first use them;
// layers that other layers or events name are named after what they draw.
// What a show file cannot say (a layer or event of a kind it does not know,
// a time its section cannot give exactly) throws std::runtime_error.
// Main thread; the timeline must hold nothing else.
#include <functional>
#include <span>
#include <string>

#include "shell/showfile/show_model.h"

namespace shell::showfile {

Show takeDownShow(const std::function<void()>& build, std::span<const char* const> sectionNames);

}  // namespace shell::showfile
