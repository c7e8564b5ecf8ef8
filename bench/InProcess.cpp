// In-process costs of the game: loading the interface description, starting
// the application, driver steps, each screen's updateUI, and the painter
// drawing whole frames (still, and during push and pop slides) into a
// software surface the size of the window on a high-density screen.

#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/Driver.h"
#include "platform/PictureCatalog.h"
#include "platform/Storyboard.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"

#include "screens/bloodsugar/AskForBloodViewController.h"
#include "screens/bloodsugar/BadResultsViewController.h"
#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"
#include "screens/bloodsugar/BloodSugarViewController.h"
#include "screens/bloodsugar/GoodResultsViewController.h"
#include "screens/bloodsugar/TrendsViewController.h"
#include "screens/buddy/BuddyCentralViewController.h"
#include "screens/buddy/ClosetItemSelectedViewController.h"
#include "screens/buddy/ClosetViewController.h"
#include "screens/buddy/GamesScreenViewController.h"
#include "screens/buddy/ItemViewController.h"
#include "screens/carbs/CarbCounterAddViewController.h"
#include "screens/carbs/CarbCounterMainViewController.h"
#include "screens/carbs/nomNomViewController.h"
#include "screens/home/ViewController.h"
#include "screens/insulin/InsulinCompleteViewController.h"
#include "screens/insulin/InsulinExerciseViewController.h"
#include "screens/insulin/InsulinFoodViewController.h"
#include "screens/insulin/InsulinGivingViewController.h"
#include "screens/insulin/InsulinStoppedViewController.h"
#include "screens/insulin/InsulinSuggestionViewController.h"
#include "screens/settings/SettingsMainViewController.h"

#include <benchmark/benchmark.h>

#include <SDL_image.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace bc;

const std::string kResources = BUDDYCARE_RESOURCES;

std::unique_ptr<Application> makeApp(GameSetup& game, RunLoop::ClockKind clock = RunLoop::ClockKind::Virtual)
{
    auto created = Application::create(kResources, game.registry, clock, 7);
    if (!created) {
        std::fprintf(stderr, "bench: %s\n", created.error().message.c_str());
        std::exit(2);
    }
    auto app = std::move(*created);
    app->console().setEcho(false);
    return app;
}

// The game as the headless driver runs it.
struct Game {
    GameSetup setup;
    std::unique_ptr<Application> app = makeApp(setup);
    CareStateAccess inspector{setup.state, app->runLoop()};

    std::string run(const std::string& command)
    {
        std::ostringstream out;
        driverCommand(*app, inspector, nullptr, command, out);
        return out.str();
    }
};

// One step a curious child might take on the top screen: any control that
// takes a touch, the bar's back control, or some time passing.
std::string randomStep(const Application& app, std::mt19937& rng)
{
    const auto listing = describeTopScreen(app);
    std::vector<std::string> choices;
    for (const auto& c : listing["controls"]) {
        if (c["hidden"].get<bool>() || !c["enabled"].get<bool>()) {
            continue;
        }
        const auto kind = c["kind"].get<std::string>();
        const auto name = c["name"].get<std::string>();
        if (kind == "button") {
            choices.push_back("tap " + name);
        } else if (kind == "switch") {
            choices.push_back("toggle " + name);
        } else if (kind == "stepper") {
            choices.push_back("step " + name + (rng() % 2 == 0 ? " up" : " down"));
        }
    }
    if (app.navBackAvailable()) {
        choices.emplace_back("tap navBack");
    }
    choices.push_back("wait " + std::to_string(1 + rng() % 30));
    return choices[rng() % choices.size()];
}

void BM_StoryboardLoad(benchmark::State& state)
{
    PictureCatalog pictures(kResources);
    const std::string path = kResources + "/" + Application::kStoryboardFile;
    GameSetup game;
    for (auto _ : state) {
        auto loaded = Storyboard::loadFile(path, game.registry, pictures);
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_StoryboardLoad)->Unit(benchmark::kMillisecond);

void BM_ApplicationCreate(benchmark::State& state)
{
    for (auto _ : state) {
        GameSetup game;
        auto app = makeApp(game);
        benchmark::DoNotOptimize(app);
    }
}
BENCHMARK(BM_ApplicationCreate)->Unit(benchmark::kMillisecond);

void BM_DriverCommand(benchmark::State& state, const char* command)
{
    Game game;
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.run(command));
    }
}
BENCHMARK_CAPTURE(BM_DriverCommand, state, "state")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DriverCommand, screen, "screen")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DriverCommand, cheat, "tap cheat")->Unit(benchmark::kMicrosecond);

void BM_DriverPushPop(benchmark::State& state)
{
    Game game;
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.run("tap ->BuddyCentralViewController"));
        benchmark::DoNotOptimize(game.run("tap navBack"));
    }
}
BENCHMARK(BM_DriverPushPop)->Unit(benchmark::kMicrosecond);

// A long random walk over every screen; each iteration is one step, choosing included.
void BM_DriverRandomStep(benchmark::State& state)
{
    Game game;
    std::mt19937 rng(7);
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.run(randomStep(*game.app, rng)));
    }
    state.counters["pushes"] = static_cast<double>(game.app->navigation().pushes());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DriverRandomStep)->Unit(benchmark::kMicrosecond)->Iterations(10000);

// One updateUI of a screen sitting on top of home, with the state as it starts.
template <typename Screen>
void BM_UpdateUI(benchmark::State& state, const char* className)
{
    Game game;
    auto& nav = game.app->navigation();
    if (std::string(className) != game.app->storyboard().initial()) {
        nav.pushViewController(game.app->storyboard().instantiate(className, game.app->services()), false);
    }
    auto* screen = dynamic_cast<Screen*>(nav.topViewController());
    if (screen == nullptr) {
        state.SkipWithError("the screen did not come up");
        return;
    }
    for (auto _ : state) {
        screen->updateUI();
    }
}
// Each screen that has an updateUI, by its class name.
struct UpdateUIBench {
    const char* className;
    void (*run)(benchmark::State&, const char*);
};
#define BC_SCREEN(Class) UpdateUIBench{#Class, &BM_UpdateUI<Class>}
const UpdateUIBench kUpdateUI[] = {
    BC_SCREEN(ViewController),
    BC_SCREEN(BloodSugarViewController),
    BC_SCREEN(AskForBloodViewController),
    BC_SCREEN(BloodSugarCheckInProgressViewController),
    BC_SCREEN(GoodResultsViewController),
    BC_SCREEN(BadResultsViewController),
    BC_SCREEN(TrendsViewController),
    BC_SCREEN(InsulinFoodViewController),
    BC_SCREEN(InsulinExerciseViewController),
    BC_SCREEN(InsulinSuggestionViewController),
    BC_SCREEN(InsulinGivingViewController),
    BC_SCREEN(InsulinCompleteViewController),
    BC_SCREEN(InsulinStoppedViewController),
    BC_SCREEN(CarbCounterMainViewController),
    BC_SCREEN(CarbCounterAddViewController),
    BC_SCREEN(nomNomViewController),
    BC_SCREEN(BuddyCentralViewController),
    BC_SCREEN(ItemViewController),
    BC_SCREEN(ClosetViewController),
    BC_SCREEN(ClosetItemSelectedViewController),
    BC_SCREEN(GamesScreenViewController),
    BC_SCREEN(SettingsMainViewController),
};
#undef BC_SCREEN

// A software renderer drawing into memory, as the window's would.
class Canvas {
public:
    // 1: the window as it opens; 2: a high-density screen, and the driver's shots.
    explicit Canvas(int scale)
    {
        auto found = sdl::FontSource::find();
        const std::string error = found ? std::string() : found.error().message;
        fonts_ = found ? std::move(*found) : nullptr;
        surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(kCanvasWidth) * scale,
                                                      static_cast<int>(kCanvasHeight) * scale, 32,
                                                      SDL_PIXELFORMAT_ARGB8888));
        if (fonts_ != nullptr && surface_ != nullptr) {
            renderer_.reset(SDL_CreateSoftwareRenderer(surface_.get()));
        }
        if (renderer_ == nullptr) {
            error_ = error.empty() ? std::string(SDL_GetError()) : error;
        }
    }
    ~Canvas() { renderer_.reset(); }

    const std::string& error() const { return error_; }
    sdl::CanvasFit fit() const { return sdl::CanvasFit::into(surface_->w, surface_->h); }
    std::unique_ptr<sdl::Painter> painter() { return std::make_unique<sdl::Painter>(renderer_.get(), *fonts_); }
    void present() { SDL_RenderPresent(renderer_.get()); }

private:
    std::unique_ptr<sdl::FontSource> fonts_;
    sdl::SurfacePtr surface_;
    sdl::RendererPtr renderer_;
    std::string error_;
};

void BM_FontLookup(benchmark::State& state)
{
    for (auto _ : state) {
        auto fonts = sdl::FontSource::find();
        benchmark::DoNotOptimize(fonts);
    }
}
BENCHMARK(BM_FontLookup)->Unit(benchmark::kMillisecond);

void BM_DecodeBackdrop(benchmark::State& state)
{
    const std::string file = kResources + "/homescreen.jpg";
    for (auto _ : state) {
        sdl::SurfacePtr surface(IMG_Load(file.c_str()));
        benchmark::DoNotOptimize(surface);
    }
}
BENCHMARK(BM_DecodeBackdrop)->Unit(benchmark::kMillisecond);

// The home screen's first frame: every picture decoded, every text rasterised.
void BM_PaintHomeCold(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    if (!canvas.error().empty()) {
        state.SkipWithError(canvas.error().c_str());
        return;
    }
    Game game;
    for (auto _ : state) {
        auto painter = canvas.painter();
        painter->paint(*game.app, canvas.fit(), 0);
        canvas.present();
    }
}
BENCHMARK(BM_PaintHomeCold)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

// Every later frame of a still screen.
void BM_PaintHomeWarm(benchmark::State& state)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    if (!canvas.error().empty()) {
        state.SkipWithError(canvas.error().c_str());
        return;
    }
    Game game;
    auto painter = canvas.painter();
    for (auto _ : state) {
        painter->paint(*game.app, canvas.fit(), 0);
        canvas.present();
    }
}
BENCHMARK(BM_PaintHomeWarm)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

// Frames across a slide, on the clock the window would give them.
void paintSlide(benchmark::State& state, bool push)
{
    Canvas canvas(static_cast<int>(state.range(0)));
    if (!canvas.error().empty()) {
        state.SkipWithError(canvas.error().c_str());
        return;
    }
    GameSetup game;
    auto app = makeApp(game, RunLoop::ClockKind::Real);
    auto& nav = app->navigation();
    nav.tick(true);
    nav.pushViewController(app->storyboard().instantiate("BuddyCentralViewController", app->services()), push);
    if (!push) {
        nav.tick(true);
        nav.popViewControllerAnimated(true);
    }
    if (!nav.slide()) {
        state.SkipWithError("no slide started");
        return;
    }
    const double start = nav.slide()->start;
    auto painter = canvas.painter();
    constexpr int kFrames = 18; // 0.3 s at 60 frames a second
    int frame = 0;
    for (auto _ : state) {
        const double t = start + NavigationController::kSlideSeconds * (frame % kFrames) / kFrames;
        painter->paint(*app, canvas.fit(), t);
        canvas.present();
        ++frame;
    }
}
void BM_PaintPushSlide(benchmark::State& state) { paintSlide(state, true); }
void BM_PaintPopSlide(benchmark::State& state) { paintSlide(state, false); }
BENCHMARK(BM_PaintPushSlide)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);
BENCHMARK(BM_PaintPopSlide)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2);

} // namespace

int main(int argc, char** argv)
{
    for (const auto& screen : kUpdateUI) {
        benchmark::RegisterBenchmark((std::string("BM_UpdateUI/") + screen.className).c_str(), screen.run,
                                     screen.className)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
