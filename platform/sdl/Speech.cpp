#include "platform/sdl/Speech.h"

#include "platform/sdl/SoundLibraries.h"

namespace bc::sdl {

namespace {

struct Rendering {
    SpokenSound* out;
    const std::function<bool()>* cancelled;
    bool stopped = false;
};

int collect(short* wav, int count, espeak_EVENT* events)
{
    auto* rendering = static_cast<Rendering*>(events->user_data);
    if (rendering == nullptr) {
        return 0;
    }
    if (*rendering->cancelled && (*rendering->cancelled)()) {
        rendering->stopped = true;
        return 1;
    }
    if (wav != nullptr && count > 0) {
        rendering->out->samples.insert(rendering->out->samples.end(), wav, wav + count);
    }
    return 0;
}

// The sample rate, or why there is no voice.
Result<int> voice(const SpeechLibrary& speech)
{
    static const Result<int> loaded = [&speech]() -> Result<int> {
        const int rate = speech.espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        if (rate <= 0) {
            return Error{"espeak-ng found no voice data (Debian package: espeak-ng-data)"};
        }
        speech.espeak_SetSynthCallback(collect);
        if (speech.espeak_SetVoiceByName("en") != EE_OK) {
            return Error{"espeak-ng has no English voice"};
        }
        return rate;
    }();
    return loaded;
}

// A voice for the language, else the English one; the rate goes with each voice.
void useVoice(const SpeechLibrary& speech, const std::string& language)
{
    static std::string current = "en";
    const std::string wanted = language.empty() ? "en" : language;
    if (wanted == current) {
        return;
    }
    if (speech.espeak_SetVoiceByName(wanted.c_str()) != EE_OK) {
        speech.espeak_SetVoiceByName("en");
    }
    current = wanted;
}

} // namespace

Result<SpokenSound> renderSpeech(const std::string& line, const std::function<bool()>& cancelled,
                                 const std::string& language)
{
    BC_TRY_LET(speech, speechLibrary());
    auto rate = voice(*speech);
    if (!rate) {
        return rate.error();
    }
    useVoice(*speech, language);
    // A little slower than its usual pace, for a young listener.
    speech->espeak_SetParameter(espeakRATE, 150, 0);
    SpokenSound sound;
    sound.rate = *rate;
    Rendering rendering{&sound, &cancelled};
    const espeak_ERROR result =
        speech->espeak_Synth(line.c_str(), line.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &rendering);
    if (result != EE_OK) {
        return Error{"espeak-ng could not render the line"};
    }
    if (rendering.stopped) {
        sound.samples.clear();
    }
    return sound;
}

} // namespace bc::sdl
