#include "state/AppState.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

TEST(AppState, ReadingReadsAs150WhileNothingOrZeroIsStored)
{
    AppState s;
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
    s.setBloodSugarLevel(83);
    EXPECT_EQ(s.bloodSugarLevel(), 83.0f);
    s.setBloodSugarLevel(0);
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
}

TEST(AppState, ListsAreLiveAndReplacedBySetters)
{
    AppState s;
    s.items().push_back("a");
    s.wearing().push_back("w");
    s.wearing().push_back("w");
    EXPECT_EQ(s.items(), AppState::List{"a"});
    EXPECT_EQ(s.wearing().size(), 2u);
    s.setItems({"b", "c"});
    s.setWearing({});
    EXPECT_EQ(s.items(), (AppState::List{"b", "c"}));
    EXPECT_TRUE(s.wearing().empty());
}

TEST(AppState, ClearStateResetsTheBolusAndKeepsTheRest)
{
    AppState s;
    for (auto setter : {&AppState::setBolusTarget, &AppState::setBolusJustGiven, &AppState::setBolusGiven,
                        &AppState::setCarbsMostRecentMeal, &AppState::setCarbsNotAddressed,
                        &AppState::setCarbsFromCounter, &AppState::setCoins, &AppState::setCarbRatio,
                        &AppState::setBasalRate, &AppState::setBloodSugarLevel}) {
        (s.*setter)(7);
    }
    s.setAboutToExercise(true);
    s.setIncludeMostRecentMeal(false);
    s.setFromInsulinScreen(true);
    s.setSettingsLocked(true);
    s.items().push_back("bowtie");
    s.clearState();
    for (auto getter : {&AppState::bolusTarget, &AppState::bolusJustGiven, &AppState::bolusGiven,
                        &AppState::carbsMostRecentMeal, &AppState::carbsNotAddressed, &AppState::carbsFromCounter}) {
        EXPECT_EQ((s.*getter)(), 0.0f);
    }
    EXPECT_FALSE(s.aboutToExercise());
    EXPECT_TRUE(s.includeMostRecentMeal());
    EXPECT_TRUE(s.fromInsulinScreen());
    EXPECT_TRUE(s.settingsLocked());
    EXPECT_EQ(s.coins(), 7.0f);
    EXPECT_EQ(s.carbRatio(), 7.0f);
    EXPECT_EQ(s.basalRate(), 7.0f);
    EXPECT_EQ(s.bloodSugarLevel(), 7.0f);
    EXPECT_EQ(s.items().size(), 1u);
}

} // namespace
} // namespace bc
