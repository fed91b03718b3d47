#pragma once
// The sound reports, word for word; printed to standard output.

namespace music {

inline constexpr const char* kWrongSoundVersion =
    "Error : You are using the wrong DLL version!  You should be using FMOD %.02f\n";
inline constexpr float kRequiredSoundVersion = 3.33f;
inline constexpr const char* kSoundError = "Error!\n";
inline constexpr const char* kSynchPoint = "\nSYNCHPOINT : \"%s\"\n";
inline constexpr const char* kStreamEnded = "\nSTREAM ENDED!!\n";

}  // namespace music
