#include "app/AppDelegate.h"
#include "app/CareStateAccess.h"
#include "app/CommandLine.h"
#include "app/GameRegistry.h"
#include "app/ProgressKeeper.h"
#include "app/Resources.h"
#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/Driver.h"
#include "platform/Gettext.h"
#include "platform/ProgressFile.h"
#include "platform/sdl/DeferredAudio.h"
#include "platform/sdl/FirstFramePreparation.h"
#include "platform/sdl/MixerAudio.h"
#include "platform/sdl/Window.h"

#include <cstdlib>
#include <iostream>

namespace bc {

Result<int> ApplicationMain(int argc, char** argv, AppDelegate& delegate)
{
    auto options = parseCommandLine(argc, argv);
    if (!options) {
        return options.error();
    }
    if (options->finished) {
        return *options->finished;
    }
    auto folder = options->resources.empty() ? findResources(argv[0])
                                             : Result<std::filesystem::path>(std::filesystem::path(options->resources));
    if (!folder) {
        return folder.error();
    }
    // The window's fonts are looked up while the game loads.
    sdl::WindowOptions window{options->fullscreen, {}, {}, options->headless ? sdl::FontSearch{} : sdl::startFindingFonts()};
    GameSetup game;
    game.state.preferences().units = options->units;
    auto translator = std::make_unique<const GettextTranslator>(
        findCatalogues(argv[0]), chosenLanguages(options->language, [](const char* name) { return std::getenv(name); }));
    // The driver only records what would be heard; it never opens a device.
    // The window opens its device once the first frame is shown.
    std::unique_ptr<sdl::DeferredAudio> audio;
    if (!options->headless) {
        audio = std::make_unique<sdl::DeferredAudio>([resources = *folder, language = translator->language()] {
            return sdl::openMixerAudio(resources, language);
        });
    }
    sdl::DeferredAudio* const sound = audio.get();
    // The window keeps its progress in the usual place; the driver only where it is told to.
    std::unique_ptr<ProgressFile> progressFile;
    if (options->progress) {
        progressFile = std::make_unique<ProgressFile>(*options->progress);
    } else if (!options->headless) {
        progressFile = std::make_unique<ProgressFile>(ProgressFile::defaultPath([](const char* name) { return std::getenv(name); }));
    }
    std::unique_ptr<ProgressKeeper> keeper;
    if (progressFile) {
        keeper = std::make_unique<ProgressKeeper>(game.state, *progressFile, [](const std::string& line) {
            std::cerr << kProgramName << ": " << line << std::endl;
        });
        keeper->start();
        if (options->unitsChosen) {
            game.state.preferences().units = options->units;
        }
    }
    auto created = Application::create(*folder, game.registry,
                                       options->headless ? RunLoop::ClockKind::Virtual : RunLoop::ClockKind::Real,
                                       options->seed, std::move(audio), std::move(translator));
    if (!created) {
        return created.error();
    }
    Application& app = **created;
    app.runLoop().setFirstDay(options->date);
    if (keeper) {
        keepProgress(app, *keeper, [&] {
            if (options->unitsChosen) {
                game.state.preferences().units = options->units;
            }
        });
    }
    delegate.didFinishLaunchingWithOptions();
    delegate.applicationDidBecomeActive();

    int status = 0;
    if (options->headless) {
        CareStateAccess inspector(game.state, app.runLoop());
        auto shooter = sdl::makeShooter();
        status = runDriver(app, inspector, shooter.get(), std::cin, std::cout);
    } else {
        window.afterFirstFrame = [sound] { sound->open(); };
        window.beforeClosing = [sound] { sound->settle(); };
        status = sdl::runWindow(app, window);
    }
    delegate.applicationWillResignActive();
    delegate.applicationWillTerminate();
    return status;
}

} // namespace bc
