#pragma once
// The program's side of the sound: starting the library, the module tunes,
// the music stream, the fade of the loading tune and the shutdown. Every
// failure is printed to standard output and the show goes on silent.
#include <string>

#include "platform/fmod.h"

namespace music {

// Shared by the show preparation and the module event.
struct MusicState {
  FMUSIC_MODULE* module = nullptr;  // the current module tune, null when none
  FSOUND_STREAM* stream = nullptr;  // null when the stream did not open
  int channel = -1;                 // the stream's channel, -1 when it did not start
  float tuneStart = 0.0f;           // the show time the tune now heard started at
  std::string streamFile;           // what startStream was last asked to open
};
MusicState& state();

// Version check, output, driver and initialisation. A library older than the
// one the show was made with is left uninitialised.
void startSoundSystem();

// Loads `file` as the current module and plays it: full master volume unless
// it is an IT module, a little less stereo for MOD and S3M. A file that does
// not load leaves the current module null, silently.
void startModule(const char* file);

// The loading tune's volume `seconds` into its one-second fade, as often as
// the fade asks: (int)((1 - seconds) x 128), from about half the full 255.
void setFadeVolume(float seconds);

// The current module stops (nothing when there is none).
void stopModule();

// Opens and plays `file` as the music stream, its own stereo kept; on failure
// the error is printed and the library closed.
void startStream(const char* file);

// The music as a run from 0 hears it before its first event, for building
// the show again: the stream from its start and no module tune (the end tune
// is freed). The stream is opened again from its file only when the end tune
// had replaced it; one that failed to open failed for good.
void playFromTheTop();

// A change of the music at `showTime`: when the sound is rendered offline
// (a capture), the mix is first brought up to that moment, so the change is
// heard from that exact sample and not from the frame that made it. With a
// device it does nothing: the device plays as the show goes.
void soundChangesAt(float showTime);

// The music as it sounds `showTime` into the show, for a show that starts
// later than its beginning: the stream at that moment, or the module tune
// that replaced it as far in as it has played since it started.
void jumpTo(double showTime);

// While held, nothing is heard and the music does not move on (while the
// show is brought to a later start).
void holdSound(bool held);

// The stream's end and synch callback: it only prints.
signed char streamCallback(FSOUND_STREAM* stream, void* text, int length, int userValue);

// The end of the show: the current module stops, then the library closes,
// which also ends the stream.
void stopMusic();

// "Error!", the name of the library's last error, then the library closes.
void reportSoundFailure();

}  // namespace music
