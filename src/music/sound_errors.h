#pragma once

namespace music {

// The name of a sound library error code; "Unknown error" for codes it does
// not list.
const char* soundErrorName(int code);

}  // namespace music
