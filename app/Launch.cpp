#include "app/AppDelegate.h"
#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "app/Resources.h"
#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/Driver.h"
#include "platform/Random.h"
#include "platform/sdl/Window.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#ifndef BUDDYCARE_VERSION
#define BUDDYCARE_VERSION "0.0.0"
#endif

namespace bc {

namespace {
constexpr int kStartupFailure = 2;
}

int ApplicationMain(int argc, char** argv, AppDelegate& delegate)
{
    CLI::App cli{"buddycare: look after a buddy who lives with type-1 diabetes (a practice game)", kProgramName};
    bool headless = false;
    bool fullscreen = false;
    std::uint64_t seed = 0;
    std::string resources;
    cli.add_flag("--headless", headless,
                 "play without a window: commands on standard input, one JSON answer per line");
    auto* seedOption = cli.add_option("--seed", seed, "seed the random readings, for a reproducible run");
    cli.add_option("--resources", resources, "folder with storyboard.json and the pictures");
    cli.add_flag("--fullscreen", fullscreen, "fill the screen (for a tablet on a stand); Ctrl+Q quits");
    cli.set_version_flag("--version", std::string(kProgramName) + " " + BUDDYCARE_VERSION, "print the version and exit");
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = cli.exit(e);
        return status == 0 ? 0 : kStartupFailure;
    }

    if (*seedOption) {
        seedRandom(seed);
    } else {
        seedRandomFromSystem();
    }

    const auto folder = resources.empty() ? findResources(argv[0]) : std::filesystem::path(resources);
    GameSetup game;
    auto created = Application::create(folder, game.registry, headless ? RunLoop::ClockKind::Virtual
                                                                         : RunLoop::ClockKind::Real);
    if (auto* error = std::get_if<LoadError>(&created)) {
        std::fprintf(stderr, "%s: %s\n", kProgramName, error->message.c_str());
        return kStartupFailure;
    }
    Application& app = *std::get<std::unique_ptr<Application>>(created);
    if (!delegate.didFinishLaunchingWithOptions()) {
        return kStartupFailure;
    }
    delegate.applicationDidBecomeActive();

    int status = 0;
    if (headless) {
        CareStateAccess inspector(game.state);
        std::string fontError;
        auto shooter = sdl::makeShooter(fontError);
        if (!shooter) {
            warn(fontError + "; the shot command will not work");
        }
        status = runDriver(app, inspector, shooter.get(), std::cin, std::cout);
    } else {
        status = sdl::runWindow(app, sdl::WindowOptions{fullscreen});
    }
    delegate.applicationWillResignActive();
    delegate.applicationWillTerminate();
    return status;
}

} // namespace bc
