#pragma once

#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "state/AppState.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

namespace bc::test {

// The shipped game on the virtual clock, driven as the headless driver does.
class Game {
public:
    // `languages` as for LANGUAGE; empty plays in English.
    explicit Game(const std::string& languages = "");
    ~Game();

    // One driver command; its answer (console lines go to logs()).
    nlohmann::json run(const std::string& command);
    // Runs each command and fails the test on the first error answer.
    void play(const std::vector<std::string>& commands);
    // Taps the way from home to the screen of that class and checks it is on top.
    void reach(const std::string& className);

    Application& app() { return *app_; }
    AppState& state() { return game_.state; }
    std::string screen() const;
    std::vector<std::string> stack() const;
    // The named control of the top screen, as the `screen` command lists it.
    nlohmann::json control(const std::string& name);
    std::string text(const std::string& name) { return control(name).value("text", ""); }
    std::string picture(const std::string& name) { return control(name).value("picture", ""); }
    bool hidden(const std::string& name) { return control(name).value("hidden", false); }
    bool barHidden() { return run("screen")["navigationBarHidden"]; }

    std::vector<std::string>& logs() { return logs_; }

private:
    GameSetup game_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<CareStateAccess> inspector_;
    std::vector<std::string> logs_;
};

// Why an input was refused, or nothing when it was taken.
inline std::string refusal(const Result<void>& done) { return done ? std::string() : done.error().message; }

// A file's bytes, or nothing when it cannot be read.
std::string readFile(const std::string& path);

// A scratch folder with the given files (name -> content), removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    void write(const std::string& name, const std::string& content) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A game of the screens of `registry` laid out by `storyboard`, written into
// `folder`; one that cannot start fails the test and stops the program.
std::unique_ptr<Application> startOwnGame(const ScratchFolder& folder, const std::string& storyboard,
                                          const Registry& registry, RunLoop::ClockKind clock = RunLoop::ClockKind::Virtual);

} // namespace bc::test
