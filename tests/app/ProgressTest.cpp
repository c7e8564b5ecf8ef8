#include "app/Progress.h"
#include "state/AppState.h"
#include "state/CareRules.h"
#include "state/Jobs.h"

#include <gtest/gtest.h>

#include <string>

namespace bc {
namespace {

const std::string counts = R"({"goodChecks":1,"trickyChecks":0,"lowChecks":0,"dosesCompleted":2,"dosesStopped":0,)"
                           R"("carbsCounted":0,"lowsTreated":0,"jobsDone":1,"stickers":0})";

// A kept file as the game writes it, with one field's text replaced.
std::string kept(const std::string& field = "", const std::string& value = "")
{
    nlohmann::ordered_json j = nlohmann::ordered_json::parse(
        R"({"version":1,"coins":120.0,"items":["bowtie"],"wearing":["bowtie.jpg"],"carbRatio":12.0,"basalRate":8.0,)"
        R"("units":"mmol","readToMe":false,"sound":true,"lowGrams":20.0,"remember":true,)"
        R"("jobs":{"date":"2026-01-05","jobs":["low","game","insulin"],"done":[true,false,false],)"
        R"("stickerGiven":false,"stickers":2},"practice":{"date":"2026-01-05","today":)" +
        counts + R"(,"week":)" + counts + R"(,"ever":)" + counts + "}}");
    std::string text = j.dump();
    if (!field.empty()) {
        const std::string key = "\"" + field + "\":";
        const auto at = text.find(key) + key.size();
        text.replace(at, text.find_first_of(",}", text[at] == '[' ? text.find(']', at) : at) - at, value);
    }
    return text;
}

// The same, with one entry inside the day's jobs or the practice record replaced.
std::string keptAt(const std::string& pointer, const std::string& value)
{
    auto j = nlohmann::ordered_json::parse(kept());
    j[nlohmann::ordered_json::json_pointer(pointer)] = nlohmann::ordered_json::parse(value);
    return j.dump();
}

TEST(Progress, AFileTheGameCouldNotHaveWrittenIsRefusedWithOneLine)
{
    const std::string longName(101, 'a');
    std::string manyBowTies = "\"bowtie\"";
    for (int i = 0; i < 100; ++i) {
        manyBowTies += ",\"bowtie\"";
    }
    const struct { std::string text; std::string why; } rows[] = {
        {"", "not valid JSON"},
        {"[1,2]", "not a JSON object"},
        {"{\"coins\":5}", "no version"},
        {kept("version", "2"), "version 2 is not one"},
        {kept("version", "\"1\""), "version \"1\" is not one"},
        {kept("coins", "-1"), "\"coins\" is below 0"},
        {kept("coins", "1.5"), "\"coins\" is not a whole number"},
        {kept("coins", "1000001"), "\"coins\" is past 1,000,000"},
        {kept("coins", "1e400"), "not valid JSON"},
        {kept("coins", "\"5\""), "\"coins\" is not a number"},
        {kept("carbRatio", "0"), "\"carbRatio\" is below 1"},
        {kept("basalRate", "51"), "\"basalRate\" is above 50"},
        {kept("lowGrams", "12"), "\"lowGrams\" is not a multiple of 5"},
        {kept("items", "[\"crown\"]"), "\"items\" holds \"crown\", which the game does not know"},
        {kept("items", "[\"" + longName + "\"]"), "\"items\" holds a text over 100 bytes"},
        {kept("items", "[" + manyBowTies + "]"),
         "\"items\" has more than 100 entries"},
        {kept("items", "\"bowtie\""), "\"items\" is not a list"},
        {kept("wearing", "[3]"), "\"wearing\" holds something that is not a text"},
        {kept("units", "\"mmol/L\""), "\"units\" holds \"mmol/L\""},
        {kept("readToMe", "1"), "\"readToMe\" is neither true nor false"},
        {kept("sound", "true,\"bloodSugarLevel\":90"), "holds \"bloodSugarLevel\", which the game does not keep"},
        {kept("sound", "true,\"" + longName + "\":1"), "holds \"" + std::string(40, 'a') + "...\""},
        {std::string(70 * 1024, ' ') + kept(), "larger than 64 KiB"},
        {keptAt("/jobs/date", "\"2026-02-30\""), "\"jobs\" holds a date the calendar does not have"},
        {keptAt("/jobs/date", "5"), "\"jobs\" holds a date that is not a short text"},
        {keptAt("/jobs/jobs", "[\"low\",\"low\",\"game\"]"), "\"jobs\" holds a job twice"},
        {keptAt("/jobs/jobs", "[\"low\",\"fly\",\"game\"]"), "\"jobs\" holds a job the game does not know"},
        {keptAt("/jobs/jobs", "[\"low\"]"), "\"jobs\" does not hold three jobs"},
        {keptAt("/jobs/done", "[true,1,false]"), "\"jobs\" is neither true nor false"},
        {keptAt("/jobs/stickers", "-3"), "\"jobs\" is below 0"},
        {keptAt("/jobs/extra", "1"), "\"jobs\" holds \"extra\", which the game does not keep"},
        {keptAt("/practice/week/lowChecks", "0.5"), "\"practice\" is not a whole number"},
        {keptAt("/practice/ever", "[]"), "\"practice\" is not an object"},
        {keptAt("/practice/today", "{\"goodChecks\":1}"), "\"practice\" lacks one of its entries"},
    };
    for (const auto& row : rows) {
        const auto parsed = parseProgress(row.text);
        ASSERT_FALSE(parsed.ok()) << row.text;
        EXPECT_NE(parsed.error().message.find(row.why), std::string::npos) << parsed.error().message;
        EXPECT_EQ(parsed.error().message.find('\n'), std::string::npos) << parsed.error().message;
    }
}

TEST(Progress, KeepsTheChildsThingsAndTheSettingsButNoReadingNoDoseAndNoUnlocking)
{
    AppState played;
    applyStartingValues(played);
    played.setCoins(220);
    tryToBuyBowTie(played); // 20 left
    wearBowTie(played);
    played.setCarbRatio(12);
    played.setBasalRate(8);
    played.setLowGrams(20);
    played.preferences() = {.readToMe = false, .sound = true, .units = GlucoseUnit::MmolPerL, .remember = true};
    played.setBloodSugarLevel(90);
    played.setBolusTarget(2);
    played.setSettingsLocked(false);
    turnDay(played, Date{2026, 1, 5});
    noteCare(played, CareEvent::DoseCompleted, Date{2026, 1, 5});
    noteCare(played, CareEvent::GoodCheck, Date{2026, 1, 5});

    const auto reread = parseProgress(progressOf(played).dump());
    ASSERT_TRUE(reread.ok()) << reread.error().message;
    AppState next;
    applyStartingValues(next);
    restoreProgress(next, *reread);
    EXPECT_EQ(progressOf(next), progressOf(played));
    EXPECT_EQ(next.coins(), played.coins());
    EXPECT_EQ(next.items(), AppState::List{kBoughtItem});
    EXPECT_EQ(next.wearing(), AppState::List{kWornBowTie});
    EXPECT_TRUE(next.preferences().remember);
    EXPECT_EQ(next.bloodSugarLevel(), 150.0f);
    EXPECT_EQ(next.bolusTarget(), 0.0f);
    EXPECT_TRUE(next.settingsLocked());
    EXPECT_EQ(next.jobs().done, played.jobs().done);
    EXPECT_EQ(next.jobs().jobs, jobsOfDay(Date{2026, 1, 5}));
    EXPECT_EQ(next.practice().ever, played.practice().ever);
    EXPECT_EQ(next.practice().ever.dosesCompleted, 1);

    // Before a day's jobs are drawn there are none to keep, and that reads back too.
    AppState fresh;
    applyStartingValues(fresh);
    const auto none = parseProgress(progressOf(fresh).dump());
    ASSERT_TRUE(none.ok()) << none.error().message;
    restoreProgress(next, *none);
    EXPECT_EQ(next.jobs().date, Date{});

    // A file from before a field was kept leaves that field at its starting value.
    AppState older;
    applyStartingValues(older);
    restoreProgress(older, *parseProgress(R"({"version":1,"coins":7})"));
    EXPECT_EQ(older.coins(), 7.0f);
    EXPECT_EQ(older.lowGrams(), kStartingLowGrams);
    EXPECT_TRUE(parseProgress(kept()).ok());
}

} // namespace
} // namespace bc
