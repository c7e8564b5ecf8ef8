#include "monkey/Monkey.h"

#include "platform/Console.h"
#include "screens/home/ViewController.h"

#include <gtest/gtest.h>

namespace bc::monkey {
namespace {

AppState& stateOf(Monkey& monkey)
{
    return static_cast<ViewController*>(monkey.app().navigation().viewControllers().front())->appState();
}

// Runs until the monkey stands on a screen of the class, or gives up.
bool walkTo(Monkey& monkey, const std::string& className, long limit = 200000)
{
    for (long i = 0; i < limit; ++i) {
        if (monkey.app().top()->className() == className) {
            return true;
        }
        if (!monkey.step()) {
            return false;
        }
    }
    return false;
}

TEST(Monkey, GameAndModelAgreeOverManySteps)
{
    Monkey monkey(7);
    EXPECT_TRUE(monkey.run(50000)) << monkey.failure();
    const auto& c = monkey.counts();
    // The run reaches the far ends of the game, or it proves little.
    EXPECT_GT(c.goodArrivals, 0);
    EXPECT_GT(c.completeAppearances, 0);
    EXPECT_GT(c.stoppedDoses, 0);
    EXPECT_GT(c.refused, 0);
    EXPECT_GT(monkey.deepest(), 4u);
}

TEST(Monkey, SameSeedReplaysTheSameRun)
{
    std::uint64_t first = 0, again = 0, other = 0;
    {
        Monkey monkey(11);
        ASSERT_TRUE(monkey.run(3000)) << monkey.failure();
        first = monkey.trace();
    }
    {
        Monkey monkey(11);
        ASSERT_TRUE(monkey.run(3000)) << monkey.failure();
        again = monkey.trace();
    }
    {
        Monkey monkey(12);
        ASSERT_TRUE(monkey.run(3000)) << monkey.failure();
        other = monkey.trace();
    }
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
}

TEST(Monkey, CoinsWithoutAReasonAreCaught)
{
    Monkey monkey(3);
    ASSERT_TRUE(monkey.run(500)) << monkey.failure();
    stateOf(monkey).setCoins(stateOf(monkey).coins() + 5);
    EXPECT_FALSE(monkey.check());
    EXPECT_NE(monkey.failure().find("the coin rules give"), std::string::npos) << monkey.failure();
}

TEST(Monkey, AScreenThatDisagreesWithTheModelIsCaught)
{
    Monkey monkey(3);
    ASSERT_TRUE(monkey.run(200)) << monkey.failure();
    auto* coins = static_cast<Label*>(monkey.app().top()->controlNamed("coinsLabel"));
    ASSERT_NE(coins, nullptr) << monkey.app().top()->className();
    coins->setText("9999");
    EXPECT_FALSE(monkey.check());
    EXPECT_NE(monkey.failure().find("coinsLabel text is \"9999\""), std::string::npos) << monkey.failure();
}

TEST(Monkey, DoseCompleteFromAnythingButTheDeliveryScreenIsCaught)
{
    Monkey monkey(5);
    ASSERT_TRUE(walkTo(monkey, "InsulinFoodViewController")) << monkey.failure();
    auto& nav = monkey.app().navigation();
    nav.performTransition(nav.topViewController(), Transition{Transition::Kind::Push, "InsulinCompleteViewController"});
    EXPECT_FALSE(monkey.check());
    EXPECT_NE(monkey.failure().find("dose-complete screen was pushed by a control's transition"), std::string::npos)
        << monkey.failure();
}

TEST(Monkey, ConsoleLineOfNoKnownKindIsCaught)
{
    Monkey monkey(9);
    ASSERT_TRUE(monkey.run(100)) << monkey.failure();
    monkey.app().console().log("oops");
    EXPECT_FALSE(monkey.check());
    EXPECT_NE(monkey.failure().find("console line of no known kind: [oops]"), std::string::npos) << monkey.failure();
}

TEST(Monkey, StepsAfterAFailureAreRefused)
{
    Monkey monkey(9);
    stateOf(monkey).items().push_back("bowtie");
    stateOf(monkey).items().push_back("bowtie");
    EXPECT_FALSE(monkey.check());
    EXPECT_NE(monkey.failure().find("the bow tie sells once"), std::string::npos) << monkey.failure();
    const long before = monkey.steps();
    EXPECT_FALSE(monkey.step());
    EXPECT_EQ(monkey.steps(), before);
}

} // namespace
} // namespace bc::monkey
