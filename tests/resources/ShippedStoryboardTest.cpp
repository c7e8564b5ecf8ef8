#include "app/GameRegistry.h"
#include "platform/PictureCatalog.h"
#include "platform/Storyboard.h"

#include <gtest/gtest.h>

#include <functional>

namespace bc {
namespace {

const std::string kFile = std::string(BUDDYCARE_RESOURCES) + "/storyboard.json";

GameSetup& game()
{
    static GameSetup setup;
    return setup;
}

const Storyboard& shipped()
{
    static PictureCatalog pictures(BUDDYCARE_RESOURCES);
    static const Storyboard::Loaded loaded = Storyboard::loadFile(kFile, game().registry, pictures);
    if (auto* e = std::get_if<LoadError>(&loaded)) {
        ADD_FAILURE() << e->message;
        std::abort();
    }
    return std::get<Storyboard>(loaded);
}

void eachControl(const std::vector<ControlLayout>& controls, const std::function<void(const ControlLayout&)>& f)
{
    for (const auto& c : controls) {
        f(c);
        eachControl(c.children, f);
    }
}

TEST(ShippedStoryboard, LoadsStartingAtHome)
{
    EXPECT_EQ(shipped().initial(), "ViewController");
}

TEST(ShippedStoryboard, EveryRegisteredScreenHasALayout)
{
    for (const auto& [name, entry] : game().registry.entries()) {
        EXPECT_NE(shipped().find(name), nullptr) << name << " is registered but has no layout";
    }
}

TEST(ShippedStoryboard, EveryScreenInstantiatesWithEveryOutletBound)
{
    for (const auto& layout : shipped().screens()) {
        auto screen = shipped().instantiate(layout.className);
        ASSERT_NE(screen, nullptr) << layout.className;
        for (const auto& slot : screen->slots()) {
            EXPECT_FALSE(slot.control->name().empty()) << layout.className;
        }
    }
}

TEST(ShippedStoryboard, TouchTargetsAreAtLeast44Points)
{
    for (const auto& layout : shipped().screens()) {
        eachControl(layout.controls, [&](const ControlLayout& c) {
            if (c.kind == ControlKind::Button || c.kind == ControlKind::Switch || c.kind == ControlKind::Stepper) {
                const float minW = c.kind == ControlKind::Stepper ? 88 : 44;
                EXPECT_GE(c.frame.w, minW) << layout.className << " " << c.name;
                EXPECT_GE(c.frame.h, 44) << layout.className << " " << c.name;
            }
        });
    }
}

TEST(ShippedStoryboard, EveryControlATouchCanReachHasAName)
{
    for (const auto& layout : shipped().screens()) {
        eachControl(layout.controls, [&](const ControlLayout& c) {
            if (c.kind == ControlKind::Button) {
                EXPECT_FALSE(c.title.empty() && c.accessibilityLabel.empty())
                    << layout.className << " " << c.name << " needs a title or a label for screen readers";
            }
            if (c.kind == ControlKind::Label) {
                EXPECT_GE(c.style.fontSize, 13) << layout.className << " " << c.name << " is too small to read";
            }
        });
    }
}

} // namespace
} // namespace bc
