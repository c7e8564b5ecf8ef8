#include "monkey/Monkey.h"

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

} // namespace
} // namespace bc::monkey
