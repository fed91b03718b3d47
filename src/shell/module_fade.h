#pragma once

namespace shell {

// One second of wall-clock time bringing the current module down from about
// half volume to nothing, as often as the loop runs.
void fadeOutModule();

}  // namespace shell
