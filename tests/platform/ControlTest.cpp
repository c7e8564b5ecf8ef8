#include "platform/Control.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

TEST(StepperBounds, StepsClampToMinimumAndMaximum)
{
    Stepper s;
    s.minimumValue = 1;
    s.maximumValue = 4;
    s.stepValue = 1;
    s.setValue(3);
    EXPECT_TRUE(s.increment());
    EXPECT_EQ(s.value(), 4);
    EXPECT_FALSE(s.increment());
    EXPECT_EQ(s.value(), 4);
    s.setValue(1);
    EXPECT_FALSE(s.decrement());
    EXPECT_EQ(s.value(), 1);
}

TEST(StepperBounds, PartialStepStopsAtTheBound)
{
    Stepper s;
    s.minimumValue = 0;
    s.maximumValue = 50;
    s.stepValue = 20;
    s.setValue(40);
    EXPECT_TRUE(s.increment());
    EXPECT_EQ(s.value(), 50);
}

TEST(ContainerHiding, HidingAViewHidesWhatItHoldsAndStopsTouches)
{
    View box;
    Button inside;
    box.setFrame({10, 20, 100, 100});
    inside.setFrame({5, 5, 44, 44});
    box.addSubview(&inside);
    EXPECT_TRUE(inside.acceptsTouch());
    EXPECT_FLOAT_EQ(inside.canvasFrame().x, 15);
    EXPECT_FLOAT_EQ(inside.canvasFrame().y, 25);
    box.setHidden(true);
    EXPECT_TRUE(inside.isEffectivelyHidden());
    EXPECT_FALSE(inside.isHidden());
    EXPECT_FALSE(inside.acceptsTouch());
}

TEST(ControlTouch, DisabledButtonsAndPassiveKindsTakeNoTouch)
{
    Button b;
    b.setEnabled(false);
    EXPECT_FALSE(b.acceptsTouch());
    Label l;
    EXPECT_FALSE(l.acceptsTouch());
    Switch sw;
    EXPECT_TRUE(sw.acceptsTouch());
}

TEST(NumberFormatting, RoundsAsThePrintfConversionsDo)
{
    EXPECT_EQ(stringWithFormat("%.0f", static_cast<double>(1.6666666f)), "2");
    EXPECT_EQ(stringWithFormat("%.0f", static_cast<double>(3.3333333f)), "3");
    EXPECT_EQ(stringWithFormat("%.1f", static_cast<double>(150.0f)), "150.0");
    EXPECT_EQ(stringWithFormat("%.1f", 15 / 10.0), "1.5");
    EXPECT_EQ(stringWithFormat("%f", static_cast<double>(75.0f)), "75.000000");
    EXPECT_EQ(stringWithFormat("%.0f", 0.0), "0");
}

} // namespace
} // namespace bc
