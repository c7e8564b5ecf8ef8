// Any bytes as an interface description: the loader either accepts them or
// answers one line naming the file and the entry. An accepted description must
// also make every screen it declares.
#include "app/GameRegistry.h"
#include "platform/Console.h"
#include "platform/PictureCatalog.h"
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
    static const bool quiet = (bc::setConsoleEcho(false), true);
    (void)quiet;
    static bc::PictureCatalog pictures(BUDDYCARE_RESOURCES);
    static bc::GameSetup game;

    const std::string text(reinterpret_cast<const char*>(data), size);
    auto loaded = bc::Storyboard::parse(text, "fuzz.json", game.registry, pictures);
    if (auto* error = std::get_if<bc::LoadError>(&loaded)) {
        if (error->message.rfind("fuzz.json", 0) != 0 || error->message.find('\n') != std::string::npos) {
            std::abort(); // an error must be one line that names the file
        }
        return 0;
    }
    const auto& storyboard = std::get<bc::Storyboard>(loaded);
    for (const auto& screen : storyboard.screens()) {
        if (storyboard.instantiate(screen.className) == nullptr) {
            std::abort();
        }
    }
    return 0;
}
