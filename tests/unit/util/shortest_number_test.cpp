#include "util/shortest_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "util/text.h"

namespace {

TEST(ShortestNumber, WritesTheFewestDigitsInPositionalOrScientificForm) {
    const struct {
        double value;
        const char* point;
        const char* comma;
    } cases[] = {
        {0.995, "0.995", "0,995"},
        {0.1 + 0.2, "0.30000000000000004", "0,30000000000000004"},  // a different double from 0.3
        {600, "600", "600"},
        {-17.5, "-17.5", "-17,5"},
        {0.0001, "0.0001", "0,0001"},
        {0.00001, "1E-5", "1E-5"},
        {-1.2345e-10, "-1.2345E-10", "-1,2345E-10"},
        {123456789012345, "123456789012345", "123456789012345"},
        {1e15, "1E15", "1E15"},
        {2.5e15, "2.5E15", "2,5E15"},
        {100000, "100000", "100000"},
        {-0.0, "0", "0"},
        {std::numeric_limits<double>::infinity(), "INF", "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF", "-INF"},
        {std::nan(""), "NAN", "NAN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(util::formatShortest(c.value, '.'), c.point) << c.point;
        EXPECT_EQ(util::formatShortest(c.value, ','), c.comma) << c.point;
    }
}

// Every finite double, tiny, huge or subnormal, comes back bit for bit through the program's own
// number reader and through strtod.
TEST(ShortestNumber, ReadsBackToTheSameDouble) {
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<std::uint64_t> bits;
    int checked = 0;
    while (checked < 20000) {
        const std::uint64_t pattern = bits(random);
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        if (!std::isfinite(value) || value == 0) continue;
        ++checked;
        const std::string text = util::formatShortest(value, '.');
        ASSERT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
        double parsed = 0;
        ASSERT_TRUE(util::TryParseNumber(text, parsed)) << text;
        ASSERT_EQ(parsed, value) << text;
    }
    for (double value : {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::min(), 0.1, 1.0 / 3}) {
        const std::string text = util::formatShortest(value, ',');
        double parsed = 0;
        ASSERT_TRUE(util::TryParseNumber(text, parsed)) << text;
        EXPECT_EQ(parsed, value) << text;
    }
}

}  // namespace
