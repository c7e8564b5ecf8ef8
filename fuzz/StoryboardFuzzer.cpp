// Any bytes as an interface description: the loader either accepts them or
// answers one line naming the file and the entry. An accepted description must
// also make every screen it declares.
#include "app/GameRegistry.h"
#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "state/Translator.h"
#include "platform/Services.h"
#include "platform/Storyboard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#ifndef BUDDYCARE_RESOURCES
#error "BUDDYCARE_RESOURCES names the shipped resource folder"
#endif

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
    static const bc::Translator english;
    static bc::Services services{loop, console, random, pictures, english};
    static bc::GameSetup game;

    const std::string text(reinterpret_cast<const char*>(data), size);
    auto loaded = bc::Storyboard::parse(text, "fuzz.json", game.registry, pictures);
    if (!loaded) {
        if (loaded.error().message.rfind("fuzz.json", 0) != 0 || loaded.error().message.find('\n') != std::string::npos) {
            std::abort(); // an error must be one line that names the file
        }
        return 0;
    }
    const auto& storyboard = *loaded;
    for (const auto& screen : storyboard.screens()) {
        if (storyboard.instantiate(screen.className, services) == nullptr) {
            std::abort();
        }
    }
    return 0;
}
