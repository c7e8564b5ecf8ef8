#include "platform/sdl/MixerAudio.h"

#include "platform/Console.h"
#include "platform/sdl/SoundLibraries.h"
#include "platform/sdl/Speech.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <dlfcn.h>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace bc::sdl {

namespace {

constexpr int kVoiceChannel = 0;
constexpr int kChannels = 8;
// Effects sit under the voice, so that a tap never drowns a word.
constexpr int kEffectVolume = MIX_MAX_VOLUME * 3 / 4;

class Silent : public Audio {
public:
    void play(Sound) override {}
    void say(const std::string&) override {}
};

class MixerAudio : public Audio {
public:
    MixerAudio(const MixerLibrary& mix, const std::filesystem::path& resources, std::string language)
        : mix_(mix), language_(std::move(language))
    {
        for (Sound sound : kSounds) {
            const auto file = resources / kSoundFolder / (std::string(soundName(sound)) + ".ogg");
            Mix_Chunk* chunk = mix_.Mix_LoadWAV(file.string().c_str());
            if (chunk == nullptr) {
                missing_ += (missing_.empty() ? "" : ", ") + std::string(soundName(sound));
                continue;
            }
            mix_.Mix_VolumeChunk(chunk, kEffectVolume);
            chunks_[static_cast<std::size_t>(sound)] = chunk;
        }
        if (!missing_.empty()) {
            warn("sound files missing or unreadable in " + (resources / kSoundFolder).string() + " (" + missing_ +
                 "): those sounds stay silent");
        }
        worker_ = std::thread([this] { speakLoop(); });
    }

    ~MixerAudio() override
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            ++generation_;
        }
        wake_.notify_one();
        worker_.join();
        mix_.Mix_HaltChannel(-1);
        for (Mix_Chunk* chunk : chunks_) {
            if (chunk != nullptr) {
                mix_.Mix_FreeChunk(chunk);
            }
        }
        if (voiceChunk_ != nullptr) {
            mix_.Mix_FreeChunk(voiceChunk_);
        }
        mix_.Mix_CloseAudio();
        mix_.Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        if (SDL_WasInit(0) == 0) {
            SDL_Quit();
        }
    }

    MixerAudio(const MixerAudio&) = delete;
    MixerAudio& operator=(const MixerAudio&) = delete;

    void play(Sound sound) override
    {
        if (Mix_Chunk* chunk = chunks_[static_cast<std::size_t>(sound)]) {
            mix_.Mix_PlayChannel(-1, chunk, 0);
        }
    }

    void say(const std::string& line) override
    {
        mix_.Mix_HaltChannel(kVoiceChannel);
        {
            std::lock_guard lock(mutex_);
            pending_ = line;
            hasPending_ = true;
            ++generation_;
        }
        wake_.notify_one();
    }

private:
    void speakLoop()
    {
        bool warned = false;
        for (;;) {
            std::string line;
            std::uint64_t generation = 0;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || hasPending_; });
                if (stopping_) {
                    return;
                }
                line = std::move(pending_);
                hasPending_ = false;
                generation = generation_;
            }
            const auto outdated = [this, generation] { return generation_.load() != generation; };
            auto spoken = renderSpeech(line, outdated, language_);
            if (!spoken) {
                if (!warned) {
                    warned = true;
                    warn(spoken.error().message + ": the voice stays silent");
                }
                continue;
            }
            if (spoken->samples.empty() || outdated()) {
                continue;
            }
            playSpoken(*spoken, outdated);
        }
    }

    template <class Outdated> void playSpoken(const SpokenSound& spoken, Outdated outdated)
    {
        int rate = 0;
        int channels = 0;
        Uint16 format = 0;
        mix_.Mix_QuerySpec(&rate, &format, &channels);
        SDL_AudioCVT cvt;
        if (SDL_BuildAudioCVT(&cvt, AUDIO_S16SYS, 1, spoken.rate, format, static_cast<Uint8>(channels), rate) < 0) {
            return;
        }
        const auto bytes = static_cast<int>(spoken.samples.size() * sizeof(std::int16_t));
        std::vector<Uint8> buffer(static_cast<std::size_t>(bytes) * static_cast<std::size_t>(cvt.len_mult));
        std::memcpy(buffer.data(), spoken.samples.data(), static_cast<std::size_t>(bytes));
        cvt.buf = buffer.data();
        cvt.len = bytes;
        if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) < 0) {
            return;
        }
        buffer.resize(static_cast<std::size_t>(cvt.needed != 0 ? cvt.len_cvt : bytes));
        std::lock_guard lock(mutex_);
        if (outdated()) {
            return;
        }
        mix_.Mix_HaltChannel(kVoiceChannel);
        if (voiceChunk_ != nullptr) {
            mix_.Mix_FreeChunk(voiceChunk_);
        }
        voiceBuffer_ = std::move(buffer);
        voiceChunk_ = mix_.Mix_QuickLoad_RAW(voiceBuffer_.data(), static_cast<Uint32>(voiceBuffer_.size()));
        if (voiceChunk_ != nullptr) {
            mix_.Mix_PlayChannel(kVoiceChannel, voiceChunk_, 0);
        }
    }

    const MixerLibrary& mix_;
    const std::string language_;
    std::array<Mix_Chunk*, std::size(kSounds)> chunks_{};
    std::string missing_;
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string pending_;
    bool hasPending_ = false;
    bool stopping_ = false;
    std::atomic<std::uint64_t> generation_{0};
    std::vector<Uint8> voiceBuffer_;
    Mix_Chunk* voiceChunk_ = nullptr;
};

extern "C" void ignoreAlsaReport(const char*, int, const char*, int, const char*, ...) {}

// With no sound card, alsa-lib writes a screenful of its own reports to
// standard error before SDL gives up on it; the game says once that it plays
// silently instead. The library is the one SDL loads; it stays loaded.
void quietAlsa()
{
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
    if (alsa == nullptr) {
        return;
    }
    if (auto* setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"))) {
        setHandler(ignoreAlsaReport);
    }
}

} // namespace

std::unique_ptr<Audio> openMixerAudio(const std::filesystem::path& resources, const std::string& language)
{
    // SDL keeps each thread's error text until told; this thread may be one
    // of the caller's own, which SDL never tidies after.
    struct ForgetErrors {
        ~ForgetErrors() { SDL_TLSCleanup(); }
    } forget;
    quietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        warn(std::string("no audio (") + SDL_GetError() + "): the game plays silently");
        return std::make_unique<Silent>();
    }
    // SDL's disk driver plays into a file, and the game writes none.
    if (const char* driver = SDL_GetCurrentAudioDriver(); driver != nullptr && std::string(driver) == "disk") {
        warn("the disk audio driver would write a file: the game plays silently");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return std::make_unique<Silent>();
    }
    const auto opened = mixerLibrary();
    if (!opened) {
        warn(opened.error().message + ": the game plays silently");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return std::make_unique<Silent>();
    }
    const MixerLibrary& mix = **opened;
    mix.Mix_Init(MIX_INIT_OGG);
    if (mix.Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        warn(std::string("the audio device did not open (") + Mix_GetError() + "): the game plays silently");
        mix.Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return std::make_unique<Silent>();
    }
    mix.Mix_AllocateChannels(kChannels);
    mix.Mix_ReserveChannels(1);
    return std::make_unique<MixerAudio>(mix, resources, language);
}

} // namespace bc::sdl
