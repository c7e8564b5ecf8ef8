#include "state/CarbGame.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace bc {
namespace {

// Every food with the grams of its portion: a food added, dropped or moved
// across a line shows here, and so does one that is no longer a clear case.
TEST(CarbGame, FoodListHoldsOnlyClearCases)
{
    const struct { const char* name; float grams; CarbAnswer answer; } rows[] = {
        {"Bread", 12.4f, CarbAnswer::HasCarbs},     {"Rice", 22.3f, CarbAnswer::HasCarbs},
        {"Pasta", 21.6f, CarbAnswer::HasCarbs},     {"A potato", 29.2f, CarbAnswer::HasCarbs},
        {"An apple", 20.6f, CarbAnswer::HasCarbs},  {"A banana", 23.1f, CarbAnswer::HasCarbs},
        {"Milk", 11.7f, CarbAnswer::HasCarbs},      {"Juice", 12.9f, CarbAnswer::HasCarbs},
        {"Fruit yogurt", 21.5f, CarbAnswer::HasCarbs}, {"Cereal", 23.5f, CarbAnswer::HasCarbs},
        {"Pizza", 35.6f, CarbAnswer::HasCarbs},     {"An orange", 15.4f, CarbAnswer::HasCarbs},
        {"Cheese", 0.4f, CarbAnswer::HardlyAny},    {"An egg", 0.6f, CarbAnswer::HardlyAny},
        {"Chicken", 0, CarbAnswer::HardlyAny},      {"Fish", 0, CarbAnswer::HardlyAny},
        {"Cucumber", 1.3f, CarbAnswer::HardlyAny},  {"Water", 0, CarbAnswer::HardlyAny},
        {"Butter", 0, CarbAnswer::HardlyAny},       {"Lettuce", 0.8f, CarbAnswer::HardlyAny},
        {"Celery", 1.2f, CarbAnswer::HardlyAny},    {"Spinach", 1.1f, CarbAnswer::HardlyAny},
    };
    const auto foods = carbGameFoods();
    ASSERT_EQ(foods.size(), std::size(rows));
    std::set<std::string> pictures;
    for (std::size_t i = 0; i < foods.size(); ++i) {
        EXPECT_STREQ(foods[i].name, rows[i].name);
        EXPECT_FLOAT_EQ(foods[i].grams, rows[i].grams) << rows[i].name;
        EXPECT_EQ(carbAnswer(foods[i].grams), rows[i].answer) << rows[i].name;
        EXPECT_TRUE(pictures.insert(foods[i].picture).second) << foods[i].picture;
    }
    const struct { float grams; CarbAnswer answer; } lines[] = {
        {10, CarbAnswer::HasCarbs}, {9.9f, CarbAnswer::Unclear}, {2, CarbAnswer::Unclear},
        {1.99f, CarbAnswer::HardlyAny}, {0, CarbAnswer::HardlyAny}, {-1, CarbAnswer::Unclear}};
    for (const auto& row : lines) {
        EXPECT_EQ(carbAnswer(row.grams), row.answer) << row.grams;
    }
}

// A whole game: ten different foods from the draws, a coin for each right
// answer, none for a wrong one or a second tap, results given once at the end.
TEST(CarbGame, TenDifferentFoodsPayOneCoinPerRightAnswer)
{
    const struct {
        std::uint32_t draw; // the same draw every time; a bad source answers past its bound
        bool answerRight;
    } rows[] = {{0, true}, {3, false}, {1000, true}};
    for (const auto& row : rows) {
        AppState state;
        CarbGame game;
        game.start([&](std::uint32_t) { return row.draw; });
        std::set<std::string> seen;
        EXPECT_FALSE(game.next());
        for (int round = 0; round < kCarbGameRounds; ++round) {
            EXPECT_EQ(game.round(), round);
            EXPECT_TRUE(seen.insert(game.food().name).second) << game.food().name;
            EXPECT_FALSE(finishCarbGame(state, game).has_value());
            const bool carbs = carbAnswer(game.food().grams) == CarbAnswer::HasCarbs;
            EXPECT_EQ(game.answer(state, carbs == row.answerRight), row.answerRight);
            EXPECT_FALSE(game.answer(state, true).has_value());
            EXPECT_EQ(game.next(), round + 1 < kCarbGameRounds);
        }
        const float won = row.answerRight ? 10.0f : 0.0f;
        EXPECT_EQ(state.coins(), won);
        const auto results = finishCarbGame(state, game);
        ASSERT_TRUE(results.has_value());
        EXPECT_EQ(results->right, row.answerRight ? 10 : 0);
        EXPECT_EQ(results->rounds, kCarbGameRounds);
        EXPECT_EQ(results->coinsWon, won);
        EXPECT_FALSE(finishCarbGame(state, game).has_value());
        game.start([](std::uint32_t) { return 0u; });
        EXPECT_EQ(game.round(), 0);
        EXPECT_EQ(game.right(), 0);
    }
}

// Each of the four answer lines is said in the carb game's transcript.
TEST(CarbGame, PraiseNeverScolds)
{
    const struct { int right; const char* praise; } rows[] = {
        {10, "Wow, every one! You are a carb finder."}, {9, "Great job! You know your carbs."},
        {7, "Great job! You know your carbs."},         {6, "Good playing! You learn more every game."},
        {4, "Good playing! You learn more every game."}, {3, "Thanks for playing! Every game helps you learn."},
        {0, "Thanks for playing! Every game helps you learn."}};
    for (const auto& row : rows) {
        EXPECT_STREQ(carbGamePraise(row.right), row.praise) << row.right;
    }
}

} // namespace
} // namespace bc
