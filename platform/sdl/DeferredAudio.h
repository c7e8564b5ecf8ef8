#pragma once

#include "platform/Audio.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace bc::sdl {

// An audio output that opens on a thread of its own once asked to, so that
// finding the device, loading the effects and the voice never delay the
// first frame. Until it is open, the latest spoken line waits for it (a new
// line would cut off the one before anyway, and with "Read to me" on the
// child expects to hear the screen's line); an effect waits at most
// `effectWait`, after which it no longer belongs to the tap that caused it.
// play() and say() come from one thread, as for any Audio.
class DeferredAudio : public Audio {
public:
    using Opener = std::function<std::unique_ptr<Audio>()>;
    static constexpr std::chrono::milliseconds kEffectWait{500};

    explicit DeferredAudio(Opener opener, std::chrono::milliseconds effectWait = kEffectWait);
    // Waits for the opening, then closes the output on the calling thread.
    ~DeferredAudio() override;
    DeferredAudio(const DeferredAudio&) = delete;
    DeferredAudio& operator=(const DeferredAudio&) = delete;

    // Starts the opening; later calls do nothing.
    void open();
    // Returns once the opening started by open() has ended (at once when
    // none was started). Whoever shuts down what the opener uses calls this
    // first.
    void settle();

    void play(Sound sound) override;
    void say(const std::string& line) override;

private:
    using Clock = std::chrono::steady_clock;
    void dropStaleEffects(Clock::time_point now);

    Opener opener_;
    std::chrono::milliseconds effectWait_;
    bool started_ = false;
    std::thread opening_;
    std::mutex mutex_;
    bool ready_ = false;
    // Null once ready when the opener found no output: then nothing is heard.
    std::unique_ptr<Audio> output_;
    std::vector<std::pair<Sound, Clock::time_point>> effects_;
    std::optional<std::string> line_;
};

} // namespace bc::sdl
