// Any bytes as an interface description: the loader either accepts them or
// answers one line naming the file and the entry. An accepted description must
// also make every screen it declares.
#include "app/GameRegistry.h"
#include "platform/Audio.h"
#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "state/Translator.h"
#include "platform/Services.h"
#include "platform/Storyboard.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bc::PictureCatalog pictures(BUDDYCARE_RESOURCES);
    static bc::Console console = [] {
        bc::Console quiet;
        quiet.setEcho(false);
        return quiet;
    }();
    static bc::Random random(1);
    static bc::RunLoop loop(bc::RunLoop::ClockKind::Virtual);
    static bc::AudioRecorder audio;
    static const bc::Translator english;
    static bc::Services services{loop, console, random, pictures, audio, english};
    static bc::GameSetup game;

    auto loaded = bc::Storyboard::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.json", game.registry, pictures);
    if (!loaded) {
        const std::string& why = loaded.error().message;
        if (why.rfind("fuzz.json", 0) != 0 || why.find('\n') != std::string::npos) {
            std::abort(); // an error must be one line that names the file
        }
        return 0;
    }
    for (const auto& screen : loaded->screens()) {
        if (loaded->instantiate(screen.className, services) == nullptr) {
            std::abort();
        }
    }
    return 0;
}
