#pragma once

#include "platform/Audio.h"

#include <filesystem>
#include <memory>
#include <string>

namespace bc::sdl {

// The window's audio: sound effects through SDL2_mixer and each spoken line
// rendered by espeak-ng in `language` (see renderSpeech) on a thread of its
// own, then played on a channel kept for the voice. With no device, or a sound
// file missing, the game goes on silent and says so once on standard error.
// May be called on any thread.
std::unique_ptr<Audio> openMixerAudio(const std::filesystem::path& resources, const std::string& language);

} // namespace bc::sdl
