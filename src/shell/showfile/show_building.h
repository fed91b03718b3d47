#pragma once
// The show a show file describes, built as the show's code builds its own:
// section by section, its loads made (or left alone, as the script tools
// say), every layer made and activated at its start and every event made,
// in the order written. Its materials are kept with the show's until
// script::releaseMaterials; those of an earlier build go first, so the
// layers of that build must be gone. Main thread, with the device's context
// current unless files are left alone. The show is one the reader gave:
// its names and references hold.
#include "shell/showfile/show_model.h"

namespace shell::showfile {

void buildShowFile(const Show& show, bool background);

}  // namespace shell::showfile
