#include "state/CarbGame.h"

#include "state/Translator.h"

#include <algorithm>
#include <iterator>

namespace bc {

namespace {
// Total carbohydrate (by difference) from the USDA FoodData Central, SR Legacy
// foods: grams per 100 g, the portion a young child usually eats, and the
// grams in that portion. A food within sight of either line is left out
// (crackers, plain yogurt, broccoli, tomato), so each answer stays clear.
constexpr Food kFoods[] = {
    // Bread, white, commercially prepared: 49.4 g/100 g; 1 slice (25 g).
    {untranslated("Bread"), "food-bread.png", 12.4f},
    // Rice, white, long-grain, regular, enriched, cooked: 28.2 g/100 g; 1/2 cup (79 g).
    {untranslated("Rice"), "food-rice.png", 22.3f},
    // Spaghetti, cooked, enriched: 30.9 g/100 g; 1/2 cup (70 g).
    {untranslated("Pasta"), "food-pasta.png", 21.6f},
    // Potatoes, baked, flesh and skin: 21.2 g/100 g; 1 small (138 g).
    {untranslated("A potato"), "food-potato.png", 29.2f},
    // Apples, raw, with skin: 13.8 g/100 g; 1 small (149 g).
    {untranslated("An apple"), "food-apple.png", 20.6f},
    // Bananas, raw: 22.8 g/100 g; 1 small (101 g).
    {untranslated("A banana"), "food-banana.png", 23.1f},
    // Milk, whole, 3.25% milkfat: 4.8 g/100 g; 1 cup (244 g).
    {untranslated("Milk"), "food-milk.png", 11.7f},
    // Orange juice, raw: 10.4 g/100 g; 1/2 cup (124 g).
    {untranslated("Juice"), "food-juice.png", 12.9f},
    // Yogurt, fruit, low fat: 19.0 g/100 g; 1 small pot (113 g).
    {untranslated("Fruit yogurt"), "food-yogurt.png", 21.5f},
    // Cereals ready-to-eat, corn flakes: 84.1 g/100 g; 1 cup (28 g).
    {untranslated("Cereal"), "food-cereal.png", 23.5f},
    // Pizza, cheese topping, regular crust: 33.3 g/100 g; 1 slice (107 g).
    {untranslated("Pizza"), "food-pizza.png", 35.6f},
    // Oranges, raw, all commercial varieties: 11.8 g/100 g; 1 medium (131 g).
    {untranslated("An orange"), "food-orange.png", 15.4f},
    // Cheese, cheddar: 1.3 g/100 g; 1 slice (28 g).
    {untranslated("Cheese"), "food-cheese.png", 0.4f},
    // Egg, whole, cooked, hard-boiled: 1.1 g/100 g; 1 large (50 g).
    {untranslated("An egg"), "food-egg.png", 0.6f},
    // Chicken, broilers or fryers, breast, meat only, roasted: 0 g/100 g; 2 oz (57 g).
    {untranslated("Chicken"), "food-chicken.png", 0.0f},
    // Fish, salmon, Atlantic, farmed, cooked, dry heat: 0 g/100 g; 2 oz (57 g).
    {untranslated("Fish"), "food-fish.png", 0.0f},
    // Cucumber, peeled, raw: 2.2 g/100 g; 1/2 cup, sliced (60 g).
    {untranslated("Cucumber"), "food-cucumber.png", 1.3f},
    // Beverages, water, tap, drinking: 0 g/100 g; 1 cup (237 g).
    {untranslated("Water"), "food-water.png", 0.0f},
    // Butter, salted: 0.1 g/100 g; 1 pat (5 g).
    {untranslated("Butter"), "food-butter.png", 0.0f},
    // Lettuce, cos or romaine, raw: 3.3 g/100 g; 1/2 cup, shredded (24 g).
    {untranslated("Lettuce"), "food-lettuce.png", 0.8f},
    // Celery, raw: 3.0 g/100 g; 1 medium stalk (40 g).
    {untranslated("Celery"), "food-celery.png", 1.2f},
    // Spinach, raw: 3.6 g/100 g; 1 cup (30 g).
    {untranslated("Spinach"), "food-spinach.png", 1.1f},
};
} // namespace

std::span<const Food> carbGameFoods() { return kFoods; }

CarbAnswer carbAnswer(float grams)
{
    if (grams >= kClearlyCarbs) {
        return CarbAnswer::HasCarbs;
    }
    return grams >= 0 && grams < kHardlyAnyCarbs ? CarbAnswer::HardlyAny : CarbAnswer::Unclear;
}

void CarbGame::start(const std::function<std::uint32_t(std::uint32_t)>& draw)
{
    std::vector<const Food*> left;
    for (const Food& food : kFoods) {
        if (carbAnswer(food.grams) != CarbAnswer::Unclear) {
            left.push_back(&food);
        }
    }
    foods_.clear();
    while (!left.empty() && foods_.size() < static_cast<std::size_t>(kCarbGameRounds)) {
        // A draw out of range from a faulty source still picks a food not yet shown.
        const auto at = draw(static_cast<std::uint32_t>(left.size())) % left.size();
        foods_.push_back(left[at]);
        left.erase(std::next(left.begin(), static_cast<std::ptrdiff_t>(at)));
    }
    round_ = 0;
    right_ = 0;
    answered_ = false;
    finished_ = false;
}

std::optional<bool> CarbGame::answer(AppState& state, bool saysCarbs)
{
    if (!started() || answered_) {
        return std::nullopt;
    }
    answered_ = true;
    const bool right = saysCarbs == (carbAnswer(food().grams) == CarbAnswer::HasCarbs);
    if (right) {
        ++right_;
        state.addCoins(kRightAnswerReward);
    }
    return right;
}

bool CarbGame::next()
{
    if (!answered_ || lastRound()) {
        return false;
    }
    ++round_;
    answered_ = false;
    return true;
}

const char* answerLine(const Food& food, bool right)
{
    const bool carbs = carbAnswer(food.grams) == CarbAnswer::HasCarbs;
    if (right) {
        return carbs ? untranslated("Yes! %s has carbs.") : untranslated("Yes! %s has hardly any carbs.");
    }
    return carbs ? untranslated("%s has carbs.") : untranslated("%s has hardly any carbs.");
}

const char* carbGamePraise(int right)
{
    if (right >= kCarbGameRounds) {
        return untranslated("Wow, every one! You are a carb finder.");
    }
    if (right >= 7) {
        return untranslated("Great job! You know your carbs.");
    }
    if (right >= 4) {
        return untranslated("Good playing! You learn more every game.");
    }
    return untranslated("Thanks for playing! Every game helps you learn.");
}

// The care state is handed over so that what a finished game earns for the day
// is counted here, in one place.
std::optional<CarbGameResults> finishCarbGame(AppState& /*state*/, CarbGame& game)
{
    if (!game.started() || !game.answered() || !game.lastRound() || game.finished_) {
        return std::nullopt;
    }
    game.finished_ = true;
    CarbGameResults results;
    results.right = game.right();
    results.rounds = game.started() ? game.round() + 1 : 0;
    results.coinsWon = static_cast<float>(game.right()) * kRightAnswerReward;
    results.praise = carbGamePraise(game.right());
    return results;
}

} // namespace bc
