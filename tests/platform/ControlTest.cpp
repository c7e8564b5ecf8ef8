#include "platform/Control.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

TEST(Stepper, EachPressMovesOneStepClampedToTheBounds)
{
    struct Row { double min, max, step, start; bool up, moved; double after; };
    const Row rows[] = {
        {1, 4, 1, 3, true, true, 4},  {1, 4, 1, 4, true, false, 4},  {1, 4, 1, 1, false, false, 1},
        {0, 50, 20, 40, true, true, 50}, {0, 50, 20, 10, false, true, 0}, {0, 50, 20, 30, false, true, 10},
    };
    for (const auto& r : rows) {
        Stepper s;
        s.minimumValue = r.min;
        s.maximumValue = r.max;
        s.stepValue = r.step;
        s.setValue(r.start);
        EXPECT_EQ(r.up ? s.increment() : s.decrement(), r.moved) << r.start << (r.up ? " up" : " down");
        EXPECT_EQ(s.value(), r.after) << r.start << (r.up ? " up" : " down");
    }
}

TEST(ControlTouch, HidingAViewHidesWhatItHoldsAndOffsetsItsFrame)
{
    View outer;
    View inner;
    Button inside;
    outer.setFrame({10, 20, 200, 200});
    inner.setFrame({1, 2, 100, 100});
    inside.setFrame({5, 5, 44, 44});
    outer.addSubview(&inner);
    inner.addSubview(&inside);
    EXPECT_FLOAT_EQ(inside.canvasFrame().x, 16);
    EXPECT_FLOAT_EQ(inside.canvasFrame().y, 27);
    outer.setHidden(true);
    EXPECT_TRUE(inside.isEffectivelyHidden());
    EXPECT_FALSE(inside.acceptsTouch());
}

} // namespace
} // namespace bc
