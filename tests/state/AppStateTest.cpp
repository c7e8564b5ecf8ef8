#include "state/AppState.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

TEST(AppState, ReadingReadsAs150WhileNothingOrZeroIsStored)
{
    AppState s;
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
    s.setBloodSugarLevel(83);
    EXPECT_EQ(s.bloodSugarLevel(), 83.0f);
    s.setBloodSugarLevel(0);
    EXPECT_EQ(s.bloodSugarLevel(), 150.0f);
}

} // namespace
} // namespace bc
