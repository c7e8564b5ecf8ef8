#include "app/GameRegistry.h"
#include "platform/PictureCatalog.h"
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

TEST(ShippedStoryboard, ControlsAreBigEnoughToTouchAndRead)
{
    GameSetup game;
    PictureCatalog pictures{BUDDYCARE_RESOURCES};
    const auto shipped = Storyboard::loadFile(std::string(BUDDYCARE_RESOURCES) + "/storyboard.json", game.registry, pictures);
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
                EXPECT_GE(c.style.fontSize, 14) << where << "'s title is too small to read";
            }
            if (c.kind == ControlKind::Label) {
                EXPECT_GE(c.style.fontSize, 17) << where << " is too small for an early reader";
            }
        });
    }
}

} // namespace
} // namespace bc
