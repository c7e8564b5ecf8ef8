#pragma once

#include "state/AppState.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace bc {

// The carb-finding game: one food at a time, and the child says whether it has
// carbs. Only foods a care team would answer the same way are in it.

// At least this many grams in a usual child's portion: has carbs.
inline constexpr float kClearlyCarbs = 10.0f;
// Below this many grams: hardly any. Nothing in between is asked.
inline constexpr float kHardlyAnyCarbs = 2.0f;

struct Food {
    const char* name;    // in English, the message id; starts its sentence
    const char* picture; // its picture file
    float grams;         // carbohydrate in a usual child's portion
};
// Every food the game can show.
std::span<const Food> carbGameFoods();

enum class CarbAnswer { HasCarbs, HardlyAny, Unclear };
CarbAnswer carbAnswer(float grams);

inline constexpr int kCarbGameRounds = 10;
inline constexpr float kRightAnswerReward = 1.0f;
// How long the answer stays before the next food comes by itself.
inline constexpr double kAnswerPauseSeconds = 2.5;

struct CarbGameResults {
    int right = 0;
    int rounds = 0;
    float coinsWon = 0;
    const char* praise = nullptr; // untranslated, never a scolding
};
class CarbGame;
std::optional<CarbGameResults> finishCarbGame(AppState& state, CarbGame& game);

// One game of ten rounds, never the same food twice. It lives with the game's
// screens, not in the care state: only the coins it pays reach the care state.
class CarbGame {
public:
    // A new game: the foods drawn one by one with `draw`, which answers a
    // whole number below its bound (the game's random source).
    void start(const std::function<std::uint32_t(std::uint32_t)>& draw);

    bool started() const { return !foods_.empty(); }
    const Food& food() const { return *foods_.at(static_cast<std::size_t>(round_)); }
    // Counted from 0.
    int round() const { return round_; }
    int right() const { return right_; }
    // The round's food has been answered and the next is still to come.
    bool answered() const { return answered_; }
    bool lastRound() const { return round_ + 1 >= static_cast<int>(foods_.size()); }
    // The child's answer: right pays one coin into the care state. A second
    // answer to the same food (a double tap) counts for nothing: no value.
    std::optional<bool> answer(AppState& state, bool saysCarbs);
    // On to the next food once this one is answered; false (and nothing
    // changed) when unanswered or after the last.
    bool next();
    bool finished() const { return finished_; }

private:
    friend std::optional<CarbGameResults> finishCarbGame(AppState&, CarbGame&);
    std::vector<const Food*> foods_;
    int round_ = 0;
    int right_ = 0;
    bool answered_ = false;
    bool finished_ = false;
};

// What the game says after an answer, with "%s" for the food's name.
const char* answerLine(const Food& food, bool right);

// The game is finished once its last food is answered: what the results show,
// given once a game (nothing before its end, nor a second time). The one place
// a finished game counts for the care state.
std::optional<CarbGameResults> finishCarbGame(AppState& state, CarbGame& game);
const char* carbGamePraise(int right);

} // namespace bc
