// Any bytes as the headless driver's input, one command per line, on a fresh
// game each time: every line gets exactly one JSON answer (after any log
// lines), and the game stays whole.
#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "platform/Driver.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#define BUDDYCARE_CHECK(ok) ((ok) ? void() : std::abort())

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    bc::GameSetup game;
    auto created = bc::Application::create(BUDDYCARE_RESOURCES, game.registry, bc::RunLoop::ClockKind::Virtual, 1);
    BUDDYCARE_CHECK(created.ok());
    auto& app = **created;
    app.console().setEcho(false);
    bc::CareStateAccess inspector(game.state, app.runLoop());

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(in, line);) {
        std::ostringstream out;
        const bool goOn = bc::driverCommand(app, inspector, nullptr, line, out);
        // Every output line is JSON; exactly the last one is the answer.
        std::istringstream answers(out.str());
        int count = 0;
        bool lastWasAnswer = false;
        for (std::string answer; std::getline(answers, answer); ++count) {
            auto j = nlohmann::json::parse(answer, nullptr, false);
            BUDDYCARE_CHECK(!j.is_discarded() && j.is_object());
            lastWasAnswer = !j.contains("log");
        }
        BUDDYCARE_CHECK(count >= 1 && lastWasAnswer);
        BUDDYCARE_CHECK(app.navigation().depth() >= 1 && app.navigation().viewControllers()[0]->className() == "ViewController");
        if (!goOn) {
            break;
        }
    }
    return 0;
}
