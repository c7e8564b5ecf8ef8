#include "state/AppState.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

TEST(AppStateBloodSugar, FreshStateReadsAsDefault)
{
    AppState s;
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
}

TEST(AppStateBloodSugar, StoringZeroReadsBackAsDefaultAndKeepsIt)
{
    AppState s;
    s.setBloodSugarLevel(83);
    EXPECT_EQ(s.bloodSugarLevel(), 83.0f);
    s.setBloodSugarLevel(0);
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
}

TEST(AppStateLists, GettersHandOutTheSameLiveList)
{
    AppState s;
    EXPECT_TRUE(s.items().empty());
    s.items().push_back("bowtie");
    EXPECT_EQ(&s.items(), &s.items());
    ASSERT_EQ(s.items().size(), 1u);
    EXPECT_EQ(s.items()[0], "bowtie");
}

TEST(AppStateLists, WearingKeepsDuplicates)
{
    AppState s;
    s.wearing().push_back("bowtie.jpg");
    s.wearing().push_back("bowtie.jpg");
    EXPECT_EQ(s.wearing().size(), 2u);
}

TEST(AppStateLists, SettersReplaceTheList)
{
    AppState s;
    s.items().push_back("a");
    s.setItems({"b", "c"});
    EXPECT_EQ(s.items(), (AppState::List{"b", "c"}));
    s.setWearing({});
    EXPECT_TRUE(s.wearing().empty());
}

TEST(AppStateCoins, AddCoinsAddsToTheBalance)
{
    AppState s;
    s.addCoins(5);
    EXPECT_EQ(s.coins(), 5.0f);
    s.addCoins(-200);
    EXPECT_EQ(s.coins(), -195.0f);
}

TEST(AppStateClear, ResetsTheBolusAndLeavesEverythingElse)
{
    AppState s;
    s.setBloodSugarLevel(91);
    s.setCoins(12);
    s.items().push_back("bowtie");
    s.wearing().push_back("bowtie.jpg");
    s.setBolusTarget(5);
    s.setBolusJustGiven(1);
    s.setBolusGiven(2);
    s.setCarbsMostRecentMeal(25);
    s.setCarbsNotAddressed(75);
    s.setCarbsFromCounter(50);
    s.setAboutToExercise(true);
    s.setIncludeMostRecentMeal(false);
    s.setFromInsulinScreen(true);
    s.setCarbRatio(12);
    s.setBasalRate(8);
    s.setSettingsLocked(true);

    s.clearState();

    EXPECT_EQ(s.bolusTarget(), 0.0f);
    EXPECT_EQ(s.bolusJustGiven(), 0.0f);
    EXPECT_EQ(s.bolusGiven(), 0.0f);
    EXPECT_EQ(s.carbsMostRecentMeal(), 0.0f);
    EXPECT_EQ(s.carbsNotAddressed(), 0.0f);
    EXPECT_EQ(s.carbsFromCounter(), 0.0f);
    EXPECT_FALSE(s.aboutToExercise());
    EXPECT_TRUE(s.includeMostRecentMeal()); // back to its starting "yes"

    EXPECT_EQ(s.bloodSugarLevel(), 91.0f);
    EXPECT_EQ(s.coins(), 12.0f);
    EXPECT_EQ(s.items().size(), 1u);
    EXPECT_EQ(s.wearing().size(), 1u);
    EXPECT_TRUE(s.fromInsulinScreen());
    EXPECT_EQ(s.carbRatio(), 12.0f);
    EXPECT_EQ(s.basalRate(), 8.0f);
    EXPECT_TRUE(s.settingsLocked());
}

} // namespace
} // namespace bc
