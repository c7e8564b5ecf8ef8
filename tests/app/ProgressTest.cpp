#include "app/Progress.h"
#include "state/AppState.h"
#include "state/CareRules.h"

#include <gtest/gtest.h>

#include <string>

namespace bc {
namespace {

// A kept file as the game writes it, with one field's text replaced.
std::string kept(const std::string& field = "", const std::string& value = "")
{
    nlohmann::ordered_json j = nlohmann::ordered_json::parse(
        R"({"version":1,"coins":120.0,"items":["bowtie"],"wearing":["bowtie.jpg"],"carbRatio":12.0,"basalRate":8.0,)"
        R"("units":"mmol","readToMe":false,"sound":true,"lowGrams":20.0,"remember":true})");
    std::string text = j.dump();
    if (!field.empty()) {
        const std::string key = "\"" + field + "\":";
        const auto at = text.find(key) + key.size();
        text.replace(at, text.find_first_of(",}", text[at] == '[' ? text.find(']', at) : at) - at, value);
    }
    return text;
}

TEST(Progress, AFileTheGameCouldNotHaveWrittenIsRefusedWithOneLine)
{
    const std::string longName(101, 'a');
    std::string manyBowTies = "\"bowtie\"";
    for (int i = 0; i < 100; ++i) {
        manyBowTies += ",\"bowtie\"";
    }
    const struct {
        std::string text;
        std::string why;
    } rows[] = {
        {"", "not valid JSON"},
        {"{\"version\":1,", "not valid JSON"},
        {"[1,2]", "not a JSON object"},
        {"{\"coins\":5}", "no version"},
        {kept("version", "2"), "version 2 is not one"},
        {kept("version", "\"1\""), "version \"1\" is not one"},
        {kept("coins", "-1"), "\"coins\" is below 0"},
        {kept("coins", "1.5"), "\"coins\" is not a whole number"},
        {kept("coins", "1000001"), "\"coins\" is past 1,000,000"},
        {kept("coins", "1e400"), "not valid JSON"},
        {kept("coins", "NaN"), "not valid JSON"},
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
        {kept("remember", "null"), "\"remember\" is neither true nor false"},
        {kept("sound", "true,\"bloodSugarLevel\":90"), "holds \"bloodSugarLevel\", which the game does not keep"},
        {kept("sound", "true,\"" + longName + "\":1"), "holds \"" + std::string(40, 'a') + "...\""},
        {std::string(70 * 1024, ' ') + kept(), "larger than 64 KiB"},
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
