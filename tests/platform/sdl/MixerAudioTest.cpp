#include "platform/sdl/MixerAudio.h"

#include "support/Game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace bc::sdl {
namespace {

// SDL's disk driver would play the game's sounds into a file; the game stores nothing.
TEST(MixerAudio, TheDiskDriverIsRefusedAndNoFileIsWritten)
{
    test::ScratchFolder folder;
    const std::string file = folder.path() + "/played.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    auto audio = openMixerAudio(BUDDYCARE_RESOURCES, "en");
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    ASSERT_NE(audio, nullptr);
    audio->play(Sound::Tap);
    audio.reset();
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace bc::sdl
