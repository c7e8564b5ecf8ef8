#include "support/Game.h"

#include "app/GameRegistry.h"
#include "platform/Console.h"
#include "platform/Driver.h"
#include "screens/home/ViewController.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bc::test {

Game::Game()
{
    auto created = Application::create(BUDDYCARE_RESOURCES, gameRegistry(), RunLoop::ClockKind::Virtual);
    if (auto* error = std::get_if<LoadError>(&created)) {
        ADD_FAILURE() << error->message;
        std::abort();
    }
    app_ = std::move(std::get<std::unique_ptr<Application>>(created));
    app_->console().setEcho(false);
    inspector_ = std::make_unique<CareStateAccess>(*app_);
}

Game::~Game() = default;

nlohmann::json Game::run(const std::string& command)
{
    std::ostringstream out;
    driverCommand(*app_, *inspector_, nullptr, command, out);
    std::istringstream lines(out.str());
    std::string line;
    nlohmann::json answer;
    while (std::getline(lines, line)) {
        auto j = nlohmann::json::parse(line);
        if (j.contains("log")) {
            logs_.push_back(j["log"].get<std::string>());
        } else {
            answer = j;
        }
    }
    return answer;
}

void Game::play(const std::vector<std::string>& commands)
{
    for (const auto& c : commands) {
        auto answer = run(c);
        ASSERT_FALSE(answer.contains("error")) << c << " -> " << answer.dump();
    }
}

AppState& Game::state() { return static_cast<ViewController*>(app_->navigation().viewControllers()[0])->appState(); }

std::string Game::screen() const { return app_->top()->className(); }

std::vector<std::string> Game::stack() const
{
    std::vector<std::string> out;
    for (auto* s : app_->navigation().viewControllers()) {
        out.push_back(s->className());
    }
    return out;
}

nlohmann::json Game::control(const std::string& name)
{
    const auto listing = describeTopScreen(*app_);
    for (const auto& c : listing["controls"]) {
        if (c["name"] == name) {
            return c;
        }
    }
    ADD_FAILURE() << "no control " << name << " on " << screen();
    return {};
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "buddycare-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void ScratchFolder::write(const std::string& name, const std::string& content) const
{
    std::ofstream(std::filesystem::path(path_) / name, std::ios::binary) << content;
}

} // namespace bc::test
