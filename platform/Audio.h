#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace bc {

class Control;
class Translator;

// The game's sound effects, each played where its event happens.
enum class Sound { Tap, Coin, Buy, Refused, Wear, DoseStart, DoseDone, DoseStop, CheckGood, CheckBad, Happy, Sad, Low };
inline constexpr Sound kSounds[] = {Sound::Tap,       Sound::Coin,      Sound::Buy,      Sound::Refused,
                                    Sound::Wear,      Sound::DoseStart, Sound::DoseDone, Sound::DoseStop,
                                    Sound::CheckGood, Sound::CheckBad,  Sound::Happy,    Sound::Sad,
                                    Sound::Low};

// The name a sound goes by: its file is NAME.ogg in resources/sounds.
std::string_view soundName(Sound sound);
inline constexpr const char* kSoundFolder = "sounds";

// What the child hears. Screens decide when; an implementation plays it in a
// window or a page, or only records it. Neither call may block a frame.
class Audio {
public:
    virtual ~Audio() = default;
    virtual void play(Sound sound) = 0;
    // A new line cuts off whatever line is still being spoken.
    virtual void say(const std::string& line) = 0;
};

// One thing heard: a sound by name, or a spoken line.
struct Heard {
    enum class Kind { Sound, Say };
    Kind kind;
    std::string what;
    bool operator==(const Heard&) const = default;
};

// Plays nothing and keeps what would have been heard until it is taken: the
// headless driver and the page read it. Only the latest kLimit are kept, so a
// run that never asks does not grow.
class AudioRecorder : public Audio {
public:
    static constexpr std::size_t kLimit = 1000;
    void play(Sound sound) override;
    void say(const std::string& line) override;
    std::vector<Heard> take();

private:
    void keep(Heard heard);
    std::deque<Heard> heard_;
};

// What a control says when it gets the keyboard's focus: its screen-reader
// words, else its title or text, else its name; a switch adds on or off in the
// child's language and a stepper its value in digits, so that it is read as a number.
std::string spokenName(const Control& control, const Translator& words);

} // namespace bc
