#include "platform/NavigationController.h"

#include <gtest/gtest.h>

#include <string>

namespace bc {
namespace {

// A first screen that hides the bar with an animation, as a home screen does
// each time it comes into view.
class BarHider : public ScreenController {
public:
    explicit BarHider(std::string name) { setClassName(std::move(name)); }
    void viewWillAppear(bool) override { navigationController()->setNavigationBarHidden(true, true); }
};

std::unique_ptr<ScreenController> make(const std::string& name) { return std::make_unique<BarHider>(name); }

TEST(NavigationStartTest, TheFirstScreenStartsAsItAsksWithoutAFade)
{
    NavigationController nav(make);
    nav.setAnimationsEnabled(true);
    nav.setClock([] { return 0.0; });
    nav.setRoot(make("Home"));
    EXPECT_TRUE(nav.isNavigationBarHidden());
    EXPECT_FALSE(nav.isAnimating()); // nothing was on screen to fade from
}

TEST(NavigationStartTest, LaterScreensStillAnimate)
{
    NavigationController nav(make);
    nav.setAnimationsEnabled(true);
    nav.setClock([] { return 0.0; });
    nav.setRoot(make("Home"));
    nav.setNavigationBarHidden(false, true);
    EXPECT_TRUE(nav.isAnimating());
    nav.tick(true);
    nav.pushViewController(make("Next"), true);
    EXPECT_TRUE(nav.slide().has_value());
}

} // namespace
} // namespace bc
