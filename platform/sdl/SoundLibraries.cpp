#include "platform/sdl/SoundLibraries.h"

#include <dlfcn.h>

#include <string>

namespace bc::sdl {

namespace {

class Binder {
public:
    explicit Binder(const char* soname) : soname_(soname), handle_(dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}

    template <class F> void operator()(F& out, const char* name)
    {
        out = handle_ != nullptr ? reinterpret_cast<F>(dlsym(handle_, name)) : nullptr;
        if (out == nullptr && missing_.empty()) {
            missing_ = name;
        }
    }

    template <class Table> Result<const Table*> result(const Table& table) const
    {
        if (handle_ == nullptr) {
            const char* why = dlerror();
            return Error{std::string(soname_) + " cannot be opened (" + (why != nullptr ? why : "not found") + ")"};
        }
        if (!missing_.empty()) {
            return Error{std::string(soname_) + " has no " + missing_};
        }
        return &table;
    }

private:
    const char* soname_;
    void* handle_;
    std::string missing_;
};

#define BC_BIND(binder, table, name) binder(table.name, #name)

// One table per library, bound the first time it is asked for.
template <class Table, class BindAll> Result<const Table*> openOnce(const char* soname, BindAll bindAll)
{
    static Table table{};
    static const Result<const Table*> opened = [&] {
        Binder bind(soname);
        bindAll(bind, table);
        return bind.result(table);
    }();
    return opened;
}

} // namespace

Result<const MixerLibrary*> mixerLibrary()
{
    return openOnce<MixerLibrary>("libSDL2_mixer-2.0.so.0", [](Binder& bind, MixerLibrary& table) {
        BC_BIND(bind, table, Mix_Init);
        BC_BIND(bind, table, Mix_Quit);
        BC_BIND(bind, table, Mix_OpenAudio);
        BC_BIND(bind, table, Mix_CloseAudio);
        BC_BIND(bind, table, Mix_QuerySpec);
        BC_BIND(bind, table, Mix_AllocateChannels);
        BC_BIND(bind, table, Mix_ReserveChannels);
        BC_BIND(bind, table, Mix_LoadWAV);
        BC_BIND(bind, table, Mix_QuickLoad_RAW);
        BC_BIND(bind, table, Mix_FreeChunk);
        BC_BIND(bind, table, Mix_VolumeChunk);
        BC_BIND(bind, table, Mix_PlayChannel);
        BC_BIND(bind, table, Mix_HaltChannel);
    });
}

Result<const SpeechLibrary*> speechLibrary()
{
    return openOnce<SpeechLibrary>("libespeak-ng.so.1", [](Binder& bind, SpeechLibrary& table) {
        BC_BIND(bind, table, espeak_Initialize);
        BC_BIND(bind, table, espeak_SetSynthCallback);
        BC_BIND(bind, table, espeak_SetVoiceByName);
        BC_BIND(bind, table, espeak_SetParameter);
        BC_BIND(bind, table, espeak_Synth);
    });
}

} // namespace bc::sdl
