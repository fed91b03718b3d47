#pragma once
// What a show file can only be checked for once it is read whole: names
// used and given (materials, layers, pictures made of two files), what a
// value layer drives, and, with the data folder, the files it names and the
// cameras of its scenes. Each error at the place of the use.
#include "shell/showfile/reading.h"

namespace shell::showfile {

void checkShow(Reading& reading, const Show& show, const DataFolder* data);

}  // namespace shell::showfile
