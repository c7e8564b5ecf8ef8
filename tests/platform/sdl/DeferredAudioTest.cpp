#include "platform/sdl/DeferredAudio.h"

#include <gtest/gtest.h>

#include <future>

namespace bc::sdl {
namespace {

using Kind = Heard::Kind;

TEST(DeferredAudio, WhatComesBeforeTheOutputIsHeardOnceItOpensStaleEffectsAndOlderLinesExcepted)
{
    struct Row {
        std::chrono::milliseconds effectWait;
        std::vector<Heard> expected;
    };
    const Row rows[] = {
        {DeferredAudio::kEffectWait,
         {{Kind::Sound, "tap"}, {Kind::Sound, "coin"}, {Kind::Sound, "buy"}, {Kind::Say, "two"}, {Kind::Sound, "sad"}}},
        // Effects that waited too long are dropped; the screen's line is not.
        {std::chrono::milliseconds(0), {{Kind::Say, "two"}, {Kind::Sound, "sad"}}},
    };
    for (const auto& [effectWait, expected] : rows) {
        std::promise<void> release;
        auto released = release.get_future();
        AudioRecorder* heard = nullptr;
        int opened = 0;
        DeferredAudio audio(
            [&]() -> std::unique_ptr<Audio> {
                ++opened;
                released.wait();
                auto recorder = std::make_unique<AudioRecorder>();
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
        ASSERT_NE(heard, nullptr);
        EXPECT_EQ(heard->take(), expected);
        EXPECT_EQ(opened, 1);
    }

    // Never opened: nothing is looked for. Opened onto no output: silence.
    int opened = 0;
    DeferredAudio(
        [&] {
            ++opened;
            return std::unique_ptr<Audio>();
        })
        .play(Sound::Tap);
    EXPECT_EQ(opened, 0);
    DeferredAudio none([&] {
        ++opened;
        return std::unique_ptr<Audio>();
    });
    none.say("before");
    none.open();
    none.settle();
    none.play(Sound::Tap);
    none.say("after");
    EXPECT_EQ(opened, 1);
}

} // namespace
} // namespace bc::sdl
