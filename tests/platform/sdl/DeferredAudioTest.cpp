#include "platform/sdl/DeferredAudio.h"

#include <gtest/gtest.h>

#include <future>
#include <tuple>

namespace bc::sdl {
namespace {

using Kind = Heard::Kind;

TEST(DeferredAudio, WhatComesBeforeTheOutputIsHeardOnceItOpensStaleEffectsAndOlderLinesExcepted)
{
    const std::tuple<std::chrono::milliseconds, bool, std::vector<Heard>> rows[] = {
        {DeferredAudio::kEffectWait, true,
         {{Kind::Sound, "tap"}, {Kind::Sound, "coin"}, {Kind::Sound, "buy"}, {Kind::Say, "two"}, {Kind::Sound, "sad"},
          {Kind::Say, "three"}}},
        // Effects that waited too long are dropped; the screen's line is not.
        {std::chrono::milliseconds(0), true, {{Kind::Say, "two"}, {Kind::Sound, "sad"}, {Kind::Say, "three"}}},
        {DeferredAudio::kEffectWait, false, {}}, // no device: silence, and nothing fails
    };
    for (const auto& [effectWait, found, expected] : rows) {
        std::promise<void> release;
        auto released = release.get_future();
        AudioRecorder* heard = nullptr;
        int opened = 0;
        DeferredAudio audio(
            [&, found = found]() -> std::unique_ptr<Audio> {
                ++opened;
                released.wait();
                auto recorder = found ? std::make_unique<AudioRecorder>() : nullptr;
                heard = recorder.get();
                return recorder;
            },
            effectWait);
        audio.play(Sound::Tap);
        audio.say("one");
        audio.play(Sound::Coin);
        audio.say("two");
        audio.open();
        audio.play(Sound::Buy); // while the device is still being found
        audio.open();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        release.set_value();
        audio.settle();
        audio.play(Sound::Sad);
        audio.say("three");
        EXPECT_EQ(heard ? heard->take() : std::vector<Heard>{}, expected);
        EXPECT_EQ(opened, 1);
    }
}

} // namespace
} // namespace bc::sdl
