#pragma once
// The sound library the show was written against, by its own names and
// conventions: a module player and an MP3 streamer mixed in software onto one
// stereo device. Every call records its failure for FSOUND_GetError; calls
// made before FSOUND_Init or after FSOUND_Close fail quietly.

// Handles are opaque: the program only passes them back.
struct FMUSIC_MODULE;
struct FSOUND_STREAM;

// Called on the audio side with (stream, text, length, user value): text is a
// synch point's name, or null when the stream has ended.
using FSOUND_STREAMCALLBACK = signed char (*)(FSOUND_STREAM* stream, void* text, int length, int userValue);

enum FMOD_ERRORS {
  FMOD_ERR_NONE,
  FMOD_ERR_BUSY,
  FMOD_ERR_UNINITIALIZED,
  FMOD_ERR_INIT,
  FMOD_ERR_ALLOCATED,
  FMOD_ERR_PLAY,
  FMOD_ERR_OUTPUT_FORMAT,
  FMOD_ERR_COOPERATIVELEVEL,
  FMOD_ERR_CREATEBUFFER,
  FMOD_ERR_FILE_NOTFOUND,
  FMOD_ERR_FILE_FORMAT,
  FMOD_ERR_FILE_BAD,
  FMOD_ERR_MEMORY,
  FMOD_ERR_VERSION,
  FMOD_ERR_INVALID_PARAM,
  FMOD_ERR_NO_EAX,
  FMOD_ERR_NO_EAX2,
  FMOD_ERR_CHANNEL_ALLOC,
  FMOD_ERR_RECORD,
  FMOD_ERR_MEDIAPLAYER
};

enum FMUSIC_TYPES { FMUSIC_TYPE_NONE, FMUSIC_TYPE_MOD, FMUSIC_TYPE_S3M, FMUSIC_TYPE_XM, FMUSIC_TYPE_IT };

inline constexpr int FSOUND_FREE = -1;        // any free channel
inline constexpr int FSOUND_STEREOPAN = -1;   // keep the sound's own stereo
inline constexpr int FSOUND_OUTPUT_DSOUND = 2;

float FSOUND_GetVersion();
signed char FSOUND_SetOutput(int outputType);
signed char FSOUND_SetDriver(int driver);
signed char FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int flags);
int FSOUND_GetError();
void FSOUND_Close();
signed char FSOUND_SetPan(int channel, int pan);

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name);
int FMUSIC_GetType(FMUSIC_MODULE* module);
signed char FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int volume);
signed char FMUSIC_SetPanSeperation(FMUSIC_MODULE* module, float separation);
signed char FMUSIC_PlaySong(FMUSIC_MODULE* module);
signed char FMUSIC_StopSong(FMUSIC_MODULE* module);
signed char FMUSIC_IsPlaying(FMUSIC_MODULE* module);
// Stops the module and releases it; the handle is dead afterwards.
signed char FMUSIC_FreeSong(FMUSIC_MODULE* module);

FSOUND_STREAM* FSOUND_Stream_OpenFile(const char* name, unsigned int mode, int length);
signed char FSOUND_Stream_SetEndCallback(FSOUND_STREAM* stream, FSOUND_STREAMCALLBACK callback, int userValue);
signed char FSOUND_Stream_SetSynchCallback(FSOUND_STREAM* stream, FSOUND_STREAMCALLBACK callback, int userValue);
int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream);
// Moves the stream to `ms` milliseconds from its start (to the nearest sample
// frame); past the end, the stream ends.
signed char FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms);
signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);
