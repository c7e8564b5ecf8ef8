#include "platform/sdl/MixerAudio.h"

#include "support/Game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Closing the game's sound stops its voice and hands the audio device back.
// In a child process, as a voice that never stops would hang the close: the alarm ends that.
TEST(MixerAudio, ClosingEndsTheVoiceAndLetsTheDeviceGo)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(30);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        auto audio = openMixerAudio(BUDDYCARE_RESOURCES, "en");
        if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
            _exit(2);
        }
        audio->say("Hello");
        audio.reset();
        if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
            _exit(1);
        }
        // Opened again, it plays on a device of its own, not on one the last close forgot.
        audio = openMixerAudio(BUDDYCARE_RESOURCES, "en");
        bool playing = false;
        for (SDL_AudioDeviceID id = 1; id < 16; ++id) {
            playing = playing || SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING;
        }
        audio.reset();
        _exit(playing ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "the close hung";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the device is still held; 2: it never opened; 3: silent when opened again";
}

} // namespace
} // namespace bc::sdl
