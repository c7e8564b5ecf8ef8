#include "app/GameRegistry.h"
#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "state/Translator.h"
#include "platform/Storyboard.h"

#include <gtest/gtest.h>

#include <functional>

namespace bc {
namespace {

void eachControl(const std::vector<ControlLayout>& controls, const std::function<void(const ControlLayout&)>& f)
{
    for (const auto& c : controls) {
        f(c);
        eachControl(c.children, f);
    }
}

class ShippedStoryboard : public ::testing::Test {
protected:
    GameSetup game;
    PictureCatalog pictures{BUDDYCARE_RESOURCES};
    Result<Storyboard> shipped =
        Storyboard::loadFile(std::string(BUDDYCARE_RESOURCES) + "/storyboard.json", game.registry, pictures);
};

TEST_F(ShippedStoryboard, StartsAtHomeAndMakesEveryRegisteredScreen)
{
    ASSERT_TRUE(shipped.ok()) << shipped.error().message;
    EXPECT_EQ(shipped->initial(), "ViewController");
    Console console;
    Random random{1};
    RunLoop loop{RunLoop::ClockKind::Virtual};
    const Translator english;
    Services services{loop, console, random, pictures, english};
    for (const auto& [name, entry] : game.registry.entries()) {
        EXPECT_NE(shipped->instantiate(name, services), nullptr) << name << " is registered but has no layout";
    }
}

TEST_F(ShippedStoryboard, ControlsAreBigEnoughToTouchAndRead)
{
    ASSERT_TRUE(shipped.ok()) << shipped.error().message;
    for (const auto& layout : shipped->screens()) {
        eachControl(layout.controls, [&](const ControlLayout& c) {
            const std::string where = layout.className + " " + c.name;
            if (takesTaps(c.kind)) {
                EXPECT_GE(c.frame.w, c.kind == ControlKind::Stepper ? 88 : 44) << where;
                EXPECT_GE(c.frame.h, 44) << where;
            }
            if (c.kind == ControlKind::Button) {
                EXPECT_FALSE(c.title.empty() && c.accessibilityLabel.empty()) << where << " needs words for screen readers";
            }
            if (c.kind == ControlKind::Label) {
                EXPECT_GE(c.style.fontSize, 13) << where << " is too small to read";
            }
        });
    }
}

} // namespace
} // namespace bc
