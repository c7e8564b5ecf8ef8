#include "platform/sdl/DeferredAudio.h"

#include <algorithm>

namespace bc::sdl {

DeferredAudio::DeferredAudio(Opener opener, std::chrono::milliseconds effectWait)
    : opener_(std::move(opener)), effectWait_(effectWait)
{
}

DeferredAudio::~DeferredAudio()
{
    // The output then closes on this thread, the one that ends the program.
    settle();
}

void DeferredAudio::open()
{
    if (started_) {
        return;
    }
    started_ = true;
    opening_ = std::thread([this] {
        std::unique_ptr<Audio> output = opener_();
        std::lock_guard lock(mutex_);
        output_ = std::move(output);
        ready_ = true;
        dropStaleEffects(Clock::now());
        if (output_ != nullptr) {
            for (const auto& [sound, asked] : effects_) {
                output_->play(sound);
            }
            if (line_) {
                output_->say(*line_);
            }
        }
    });
}

void DeferredAudio::settle()
{
    if (opening_.joinable()) {
        opening_.join();
    }
}

void DeferredAudio::play(Sound sound)
{
    std::lock_guard lock(mutex_);
    if (ready_) {
        if (output_ != nullptr) {
            output_->play(sound);
        }
        return;
    }
    // Stale ones go now too, so a device that takes its time keeps the list short.
    const auto now = Clock::now();
    dropStaleEffects(now);
    effects_.emplace_back(sound, now);
}

void DeferredAudio::say(const std::string& line)
{
    std::lock_guard lock(mutex_);
    if (ready_) {
        if (output_ != nullptr) {
            output_->say(line);
        }
        return;
    }
    line_ = line;
}

void DeferredAudio::dropStaleEffects(Clock::time_point now)
{
    const auto fresh = std::find_if(effects_.begin(), effects_.end(),
                                    [&](const auto& effect) { return now - effect.second <= effectWait_; });
    effects_.erase(effects_.begin(), fresh);
}

} // namespace bc::sdl
