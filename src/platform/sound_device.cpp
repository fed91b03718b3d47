#include "platform/sound_device.h"

#include <SDL.h>

#include <span>

namespace platform::sound {

Device::Device(Mixer& mixer, int mixRate) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) throw Failure{FMOD_ERR_INIT};
  SDL_AudioSpec wanted{};
  wanted.freq = mixRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kChannels;
  wanted.samples = 1024;
  wanted.callback = &Device::pull;
  wanted.userdata = &mixer;
  SDL_AudioSpec obtained{};
  id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);  // SDL converts to whatever the hardware takes
  if (id_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    throw Failure{FMOD_ERR_INIT};
  }
  SDL_PauseAudioDevice(id_, 0);
}

Device::~Device() {
  SDL_CloseAudioDevice(id_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Device::pull(void* mixer, std::uint8_t* stream, int bytes) {
  static_cast<Mixer*>(mixer)->render(std::span(reinterpret_cast<float*>(stream), static_cast<std::size_t>(bytes) / sizeof(float)));
}

}  // namespace platform::sound
