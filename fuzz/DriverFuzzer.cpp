// Any bytes as the headless driver's input, one command per line, on a fresh
// game each time: every line gets exactly one JSON answer (after any log
// lines), and the game stays whole.
#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "platform/Driver.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#ifndef BUDDYCARE_RESOURCES
#error "BUDDYCARE_RESOURCES names the shipped resource folder"
#endif

namespace {

void check(bool ok)
{
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    bc::GameSetup game;
    auto created = bc::Application::create(BUDDYCARE_RESOURCES, game.registry, bc::RunLoop::ClockKind::Virtual, 1);
    check(created.ok());
    auto& app = **created;
    app.console().setEcho(false);
    bc::CareStateAccess inspector(game.state);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    while (std::getline(in, line)) {
        std::ostringstream out;
        const bool goOn = bc::driverCommand(app, inspector, nullptr, line, out);
        // Every output line is JSON; exactly the last one is the answer.
        std::istringstream answers(out.str());
        std::string answer;
        int count = 0;
        bool lastWasAnswer = false;
        while (std::getline(answers, answer)) {
            auto j = nlohmann::json::parse(answer, nullptr, false);
            check(!j.is_discarded() && j.is_object());
            lastWasAnswer = !j.contains("log");
            ++count;
        }
        check(count >= 1 && lastWasAnswer);
        check(app.navigation().depth() >= 1 && app.navigation().viewControllers()[0]->className() == "ViewController");
        if (!goOn) {
            break;
        }
    }
    return 0;
}
