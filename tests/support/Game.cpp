#include "support/Game.h"

#include "platform/Console.h"
#include "platform/Driver.h"
#include "platform/Gettext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace bc::test {

Game::Game(const std::string& languages)
{
    auto created = Application::create(BUDDYCARE_RESOURCES, game_.registry, RunLoop::ClockKind::Virtual, std::nullopt,
                                       nullptr, std::make_unique<const GettextTranslator>(BUDDYCARE_CATALOGUES, languages));
    if (!created) {
        ADD_FAILURE() << created.error().message;
        std::abort();
    }
    app_ = std::move(*created);
    app_->console().setEcho(false);
    inspector_ = std::make_unique<CareStateAccess>(game_.state, app_->runLoop());
}

Game::~Game() = default;

nlohmann::json Game::run(const std::string& command)
{
    std::ostringstream out;
    driverCommand(*app_, *inspector_, nullptr, command, out);
    std::istringstream lines(out.str());
    nlohmann::json answer;
    for (std::string line; std::getline(lines, line);) {
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

// The taps that lead from home to the screen of that class (empty for home).
static std::vector<std::string> routeTo(const std::string& className)
{
    // Each screen's way in: the screen it is reached from and the control tapped there.
    static const std::map<std::string, std::pair<std::string, std::vector<std::string>>> ways{
        {"InsulinFoodViewController", {"ViewController", {"insulinPlace"}}},
        {"InsulinExerciseViewController", {"InsulinFoodViewController", {"continueButtonClicked"}}},
        {"InsulinSuggestionViewController", {"InsulinExerciseViewController", {"continueButtonPressed"}}},
        {"InsulinGivingViewController", {"InsulinSuggestionViewController", {"->InsulinGivingViewController"}}},
        {"InsulinStoppedViewController", {"InsulinGivingViewController", {"stop"}}},
        {"InsulinCompleteViewController", {"InsulinGivingViewController", {"wait 2"}}},
        {"CarbCounterMainViewController", {"InsulinFoodViewController", {"carbCounterButtonPressed"}}},
        {"CarbCounterAddViewController", {"CarbCounterMainViewController", {"->CarbCounterAddViewController"}}},
        {"nomNomViewController", {"ViewController", {"eatPlace"}}},
        {"BloodSugarViewController", {"ViewController", {"checkPlace"}}},
        {"TrendsViewController", {"BloodSugarViewController", {"->TrendsViewController"}}},
        {"BloodSugarCheckInstructionsViewController", {"BloodSugarViewController", {"->BloodSugarCheckInstructionsViewController"}}},
        {"AskForBloodViewController", {"BloodSugarCheckInstructionsViewController", {"->AskForBloodViewController"}}},
        {"BloodSugarCheckInProgressViewController", {"AskForBloodViewController", {"->BloodSugarCheckInProgressViewController"}}},
        {"GoodResultsViewController", {"BloodSugarCheckInProgressViewController", {"goodButtonPressed"}}},
        {"BadResultsViewController", {"BloodSugarCheckInProgressViewController", {"badButtonPressed"}}},
        {"BloodSugarResultsViewController", {"GoodResultsViewController", {"->BloodSugarResultsViewController"}}},
        {"LowResultsViewController", {"BloodSugarCheckInProgressViewController", {"lowCheckPressed"}}},
        {"TreatLowViewController", {"LowResultsViewController", {"toldGrownUpPressed"}}},
        {"LowWaitViewController", {"TreatLowViewController", {"fastSugarPressed"}}},
        {"LowRecheckViewController", {"LowWaitViewController", {"wait 15", "checkAgainPressed"}}},
        {"BuddyCentralViewController", {"ViewController", {"buddyPlace"}}},
        {"ItemViewController", {"BuddyCentralViewController", {"shopButton"}}},
        {"ClosetViewController", {"BuddyCentralViewController", {"closetButton"}}},
        // The closet's item is only within reach once the bow tie is bought.
        {"ClosetItemSelectedViewController", {"ItemViewController", {"set coins 200", "buyButton", "closetButton", "itemButton"}}},
        {"GamesScreenViewController", {"BuddyCentralViewController", {"gamesButton"}}},
        {"CarbGameViewController", {"GamesScreenViewController", {"playButton"}}},
        {"CarbGameResultsViewController", {"CarbGameViewController", {"hasCarbsPressed", "nextPressed", "hasCarbsPressed", "nextPressed",
            "hasCarbsPressed", "nextPressed", "hasCarbsPressed", "nextPressed", "hasCarbsPressed", "nextPressed", "hasCarbsPressed",
            "nextPressed", "hasCarbsPressed", "nextPressed", "hasCarbsPressed", "nextPressed", "hasCarbsPressed", "nextPressed",
            "hasCarbsPressed", "nextPressed"}}},
        {"SettingsMainViewController", {"ViewController", {"settingsPlace"}}},
        // The practice page is only within reach once the settings are unlocked.
        {"PracticeViewController", {"SettingsMainViewController", {"lockPressed", "practiceButton"}}},
        {"JobsViewController", {"ViewController", {"jobsButton"}}},
        {"StickerBookViewController", {"JobsViewController", {"stickerBookButton"}}},
    };
    const auto it = ways.find(className);
    if (it == ways.end()) {
        return {};
    }
    auto route = routeTo(it->second.first);
    for (const auto& step : it->second.second) {
        route.push_back(step.find(' ') == std::string::npos ? "tap " + step : step);
    }
    return route;
}

void Game::reach(const std::string& className)
{
    play(routeTo(className));
    EXPECT_EQ(screen(), className);
}

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

std::unique_ptr<Application> startOwnGame(const ScratchFolder& folder, const std::string& storyboard,
                                          const Registry& registry, RunLoop::ClockKind clock)
{
    folder.write(Application::kStoryboardFile, storyboard);
    auto created = Application::create(folder.path(), registry, clock);
    if (!created) {
        ADD_FAILURE() << created.error().message;
        std::abort();
    }
    return std::move(*created);
}

std::string readFile(const std::string& path)
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
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
