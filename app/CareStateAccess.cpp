#include "app/CareStateAccess.h"

#include "platform/RunLoop.h"
#include "state/Jobs.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace bc {

using json = nlohmann::ordered_json;

json floatJson(float value)
{
    if (!std::isfinite(value)) {
        return nullptr;
    }
    if (value == std::trunc(value) && std::fabs(value) < 1e15f) {
        return static_cast<long long>(value);
    }
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    // The double nearest the short text prints back as the same short text.
    double shortest = 0;
    std::from_chars(buffer, end, shortest);
    return shortest;
}

json CareStateAccess::snapshot()
{
    AppState& s = state();
    // Shown as the day stands, without turning it: a look changes nothing.
    const DayJobs day = jobsOn(s.jobs(), clock_.today());
    json jobsToday = json::array(), jobsDone = json::array();
    for (std::size_t i = 0; i < day.jobs.size(); ++i) {
        jobsToday.push_back(jobName(day.jobs[i]));
        if (day.done[i]) {
            jobsDone.push_back(jobName(day.jobs[i]));
        }
    }
    return json{
        {"bloodSugarLevel", floatJson(s.bloodSugarLevel())},
        {"carbsMostRecentMeal", floatJson(s.carbsMostRecentMeal())},
        {"coins", floatJson(s.coins())},
        {"items", s.items()},
        {"wearing", s.wearing()},
        {"bolusGiven", floatJson(s.bolusGiven())},
        {"bolusTarget", floatJson(s.bolusTarget())},
        {"carbsNotAddressed", floatJson(s.carbsNotAddressed())},
        {"carbsFromCounter", floatJson(s.carbsFromCounter())},
        {"bolusJustGiven", floatJson(s.bolusJustGiven())},
        {"includeMostRecentMeal", s.includeMostRecentMeal()},
        {"fromInsulinScreen", s.fromInsulinScreen()},
        {"aboutToExercise", s.aboutToExercise()},
        {"carbRatio", floatJson(s.carbRatio())},
        {"basalRate", floatJson(s.basalRate())},
        {"settingsLocked", s.settingsLocked()},
        {"previousReading", floatJson(s.previousReading())},
        {"lowGrams", floatJson(s.lowGrams())},
        {"lowGramsTaken", floatJson(s.lowGramsTaken())},
        {"jobsToday", jobsToday},
        {"jobsDone", jobsDone},
        {"stickers", day.stickers},
    };
}

Result<void> CareStateAccess::set(const std::string& field, const std::string& value)
{
    using NumberSetter = void (AppState::*)(float);
    using FlagSetter = void (AppState::*)(bool);
    static const std::map<std::string, NumberSetter> numbers{
        {"bloodSugarLevel", &AppState::setBloodSugarLevel},
        {"carbsMostRecentMeal", &AppState::setCarbsMostRecentMeal},
        {"coins", &AppState::setCoins},
        {"bolusGiven", &AppState::setBolusGiven},
        {"bolusTarget", &AppState::setBolusTarget},
        {"carbsNotAddressed", &AppState::setCarbsNotAddressed},
        {"carbsFromCounter", &AppState::setCarbsFromCounter},
        {"bolusJustGiven", &AppState::setBolusJustGiven},
        {"carbRatio", &AppState::setCarbRatio},
        {"basalRate", &AppState::setBasalRate},
        {"previousReading", &AppState::setPreviousReading},
        {"lowGrams", &AppState::setLowGrams},
        {"lowGramsTaken", &AppState::setLowGramsTaken},
    };
    static const std::map<std::string, FlagSetter> flags{
        {"includeMostRecentMeal", &AppState::setIncludeMostRecentMeal},
        {"fromInsulinScreen", &AppState::setFromInsulinScreen},
        {"aboutToExercise", &AppState::setAboutToExercise},
        {"settingsLocked", &AppState::setSettingsLocked},
    };
    if (auto it = numbers.find(field); it != numbers.end()) {
        float number = 0;
        const char* end = value.data() + value.size();
        auto [ptr, ec] = std::from_chars(value.data(), end, number);
        if (ec != std::errc() || ptr != end || !std::isfinite(number)) {
            return Error{"set " + field + " needs a finite number, not \"" + value + "\""};
        }
        (state().*(it->second))(number);
        return done();
    }
    if (auto it = flags.find(field); it != flags.end()) {
        if (value != "true" && value != "false") {
            return Error{"set " + field + " needs true or false, not \"" + value + "\""};
        }
        (state().*(it->second))(value == "true");
        return done();
    }
    if (field == "items" || field == "wearing" || field == "jobsToday" || field == "jobsDone") {
        return Error{field + " is a list and cannot be set"};
    }
    if (field == "stickers") {
        return Error{"stickers are collected, not set"};
    }
    return Error{"no care-state field \"" + field + "\""};
}

} // namespace bc
