#pragma once

#include "platform/Result.h"

#include <SDL_mixer.h>
#include <espeak-ng/speak_lib.h>

namespace bc::sdl {

// SDL2_mixer and espeak-ng are opened when sound starts, after the first frame,
// not by the dynamic loader at exec: with the codecs, synthesizers and sound
// servers they bring in, they were half of what it did before the game's first
// line ran, all for a frame that plays no sound. Each member is the library's
// function of the same name.
struct MixerLibrary {
    decltype(&::Mix_Init) Mix_Init;
    decltype(&::Mix_Quit) Mix_Quit;
    decltype(&::Mix_OpenAudio) Mix_OpenAudio;
    decltype(&::Mix_CloseAudio) Mix_CloseAudio;
    decltype(&::Mix_QuerySpec) Mix_QuerySpec;
    decltype(&::Mix_AllocateChannels) Mix_AllocateChannels;
    decltype(&::Mix_ReserveChannels) Mix_ReserveChannels;
    decltype(&::Mix_LoadWAV) Mix_LoadWAV;
    decltype(&::Mix_QuickLoad_RAW) Mix_QuickLoad_RAW;
    decltype(&::Mix_FreeChunk) Mix_FreeChunk;
    decltype(&::Mix_VolumeChunk) Mix_VolumeChunk;
    decltype(&::Mix_PlayChannel) Mix_PlayChannel;
    decltype(&::Mix_HaltChannel) Mix_HaltChannel;
};

struct SpeechLibrary {
    decltype(&::espeak_Initialize) espeak_Initialize;
    decltype(&::espeak_SetSynthCallback) espeak_SetSynthCallback;
    decltype(&::espeak_SetVoiceByName) espeak_SetVoiceByName;
    decltype(&::espeak_SetParameter) espeak_SetParameter;
    decltype(&::espeak_Synth) espeak_Synth;
};

// Opened once, on whichever thread asks first; kept for the rest of the run.
Result<const MixerLibrary*> mixerLibrary();
Result<const SpeechLibrary*> speechLibrary();

} // namespace bc::sdl
