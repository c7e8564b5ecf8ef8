#include "monkey/Monkey.h"

#include "platform/Console.h"
#include "state/AppState.h"

#include <gtest/gtest.h>

namespace bc::monkey {
namespace {

TEST(Monkey, SameSeedReplaysTheSameRun)
{
    const auto traceOf = [](std::uint64_t seed) {
        Monkey monkey(seed);
        EXPECT_TRUE(monkey.run(3000)) << monkey.failure();
        return monkey.trace();
    };
    EXPECT_EQ(traceOf(11), traceOf(11));
    EXPECT_NE(traceOf(11), traceOf(12));
}

// A fault planted in the running game is caught at the next check, and the
// monkey takes no step after that.
struct Tamper {
    const char* name;
    const char* standOn; // the screen to walk to first
    void (*plant)(Monkey&);
    const char* caught;
};

const Tamper kTampers[] = {
    {"coins without a reason", "InsulinGivingViewController", [](Monkey& m) { m.state().setCoins(m.state().coins() + 5); },
     "the coin rules give"},
    {"a label the model does not expect", "BuddyCentralViewController",
     [](Monkey& m) { static_cast<Label*>(m.app().top()->controlNamed("coinsLabel"))->setText("9999"); },
     "coinsLabel shows \"9999\""},
    {"a bow tie sold twice", "ViewController",
     [](Monkey& m) { m.state().items().insert(m.state().items().end(), 2, "bowtie"); }, "the bow tie sells once"},
    {"dose complete reached without the delivery", "InsulinFoodViewController",
     [](Monkey& m) {
         m.app().navigation().performTransition(m.app().top(), {Transition::Kind::Push, "InsulinCompleteViewController"});
     },
     "pushed by a control's transition"},
    {"a console line nobody wrote", "ViewController", [](Monkey& m) { m.app().console().log("oops"); }, "console lines [oops]"},
};

TEST(Monkey, PlantedFaultsAreCaught)
{
    for (const auto& t : kTampers) {
        Monkey monkey(5);
        for (long i = 0; i < 100000 && monkey.app().top()->className() != t.standOn; ++i) {
            ASSERT_TRUE(monkey.step()) << t.name << ": " << monkey.failure();
        }
        ASSERT_EQ(monkey.app().top()->className(), t.standOn) << t.name;
        t.plant(monkey);
        EXPECT_FALSE(monkey.check()) << t.name;
        EXPECT_NE(monkey.failure().find(t.caught), std::string::npos) << t.name << ": " << monkey.failure();
        const long before = monkey.steps();
        EXPECT_FALSE(monkey.step()) << t.name;
        EXPECT_EQ(monkey.steps(), before) << t.name;
    }
}

} // namespace
} // namespace bc::monkey
