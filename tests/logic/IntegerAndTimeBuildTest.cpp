// Reading whole numbers from field texts and building clock times from components.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "logic/ClockTime.h"

namespace quillfen {
namespace {

struct ParseCase {
    const char* text;
    bool ok;
    std::int32_t value;
};

class TryParseIntegerTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TryParseIntegerTest, ReadsOrRejects) {
    const ParseCase& c = GetParam();
    std::int32_t value = 12345;
    ASSERT_EQ(TryParseInteger(c.text, value), c.ok) << "text: [" << c.text << "]";
    if (c.ok) {
        EXPECT_EQ(value, c.value) << "text: [" << c.text << "]";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, TryParseIntegerTest,
    ::testing::Values(ParseCase{"12", true, 12}, ParseCase{"   7", true, 7},
                      ParseCase{"+5", true, 5}, ParseCase{"-0", true, 0}, ParseCase{"007", true, 7},
                      ParseCase{"0", true, 0}, ParseCase{"$1F", true, 31},
                      ParseCase{"x1f", true, 31}, ParseCase{"0X1F", true, 31},
                      ParseCase{"-$10", true, -16}, ParseCase{"$FFFFFFFF", true, -1},
                      ParseCase{"$80000000", true, std::numeric_limits<std::int32_t>::min()},
                      ParseCase{"-$80000000", true, std::numeric_limits<std::int32_t>::min()},
                      ParseCase{"$000000001", true, 1}, ParseCase{"2147483647", true, 2147483647},
                      ParseCase{"-2147483648", true, std::numeric_limits<std::int32_t>::min()},
                      ParseCase{"00000000000000000042", true, 42}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, TryParseIntegerTest,
    ::testing::Values(
        ParseCase{"", false, 0}, ParseCase{"   ", false, 0}, ParseCase{"2147483648", false, 0},
        ParseCase{"-2147483649", false, 0}, ParseCase{"12345678901", false, 0},
        ParseCase{"-12345678901", false, 0}, ParseCase{"12 ", false, 0}, ParseCase{"1.5", false, 0},
        ParseCase{"1,5", false, 0}, ParseCase{"- 5", false, 0}, ParseCase{"+-5", false, 0},
        ParseCase{"$", false, 0}, ParseCase{"0x", false, 0}, ParseCase{"$123456789", false, 0},
        ParseCase{"\xEF\xBC\x91\xEF\xBC\x92", false, 0},  // full-width 12
        ParseCase{"\t7", false, 0}, ParseCase{"7a", false, 0}, ParseCase{"$1G", false, 0},
        ParseCase{"0x-1", false, 0}, ParseCase{"1\xC2\xA0", false, 0}));

TEST(TryParseIntegerEmbeddedNul, NulIsNotADigit) {
    std::int32_t value = 0;
    EXPECT_FALSE(TryParseInteger(std::string_view("1\0"
                                                  "2",
                                                  3),
                                 value));
}

struct MakeCase {
    std::int32_t hour, minute, second, millisecond;
    bool ok;
    std::uint64_t bits = 0;  // the correctly rounded quotient total / 86,400,000
};

class TryMakeClockTimeTest : public ::testing::TestWithParam<MakeCase> {};

TEST_P(TryMakeClockTimeTest, BuildsOnlyValidTimesAndLeavesOutputOtherwise) {
    const MakeCase& c = GetParam();
    const double sentinel = -12345.678;
    double time = sentinel;
    ASSERT_EQ(TryMakeClockTime(c.hour, c.minute, c.second, c.millisecond, time), c.ok);
    if (!c.ok) {
        EXPECT_EQ(std::memcmp(&time, &sentinel, sizeof time), 0);
        return;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &time, sizeof bits);
    EXPECT_EQ(bits, c.bits);
    std::uint16_t h, m, s, ms;
    SplitClockTime(time, h, m, s, ms);
    EXPECT_EQ(std::vector<int>({h, m, s, ms}),
              std::vector<int>({c.hour, c.minute, c.second, c.millisecond}));
}

INSTANTIATE_TEST_SUITE_P(
    Range, TryMakeClockTimeTest,
    ::testing::Values(
        MakeCase{0, 0, 0, 0, true, 0}, MakeCase{23, 59, 59, 999, true, 0x3feffffff9c94579},
        MakeCase{1, 0, 0, 0, true, 0x3fa5555555555555},
        MakeCase{7, 5, 0, 999, true, 0x3fd2e3beb8075ac7}, MakeCase{24, 0, 0, 0, false},
        MakeCase{0, 60, 0, 0, false}, MakeCase{0, 0, 60, 0, false}, MakeCase{0, 0, 0, 1000, false},
        MakeCase{-1, 0, 0, 0, false}, MakeCase{0, -1, 0, 0, false}, MakeCase{0, 0, -1, 0, false},
        MakeCase{0, 0, 0, -1, false}, MakeCase{65549, 0, 0, 0, false},
        MakeCase{0, 65595, 0, 0, false}, MakeCase{0, 0, 65595, 0, false},
        MakeCase{std::numeric_limits<std::int32_t>::min(), 0, 0, 0, false},
        MakeCase{0, 0, 0, std::numeric_limits<std::int32_t>::max(), false}));

TEST(TryMakeClockTimeOrder, EqualComponentsGiveIdenticalValuesAndOrderFollowsTotals) {
    std::int32_t h1, m1, s1, h2, m2, s2;
    ASSERT_TRUE(TryParseInteger("5", h1) && TryParseInteger("0", m1) && TryParseInteger("0", s1));
    ASSERT_TRUE(TryParseInteger("005", h2) && TryParseInteger("00", m2) &&
                TryParseInteger("0", s2));
    double a = 0, b = 1;
    ASSERT_TRUE(TryMakeClockTime(h1, m1, s1, 0, a) && TryMakeClockTime(h2, m2, s2, 0, b));
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);

    double previous = -1;
    for (int ms = 0; ms < 86400000; ms += 997) {
        double t = 0;
        ASSERT_TRUE(TryMakeClockTime(ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000, t));
        ASSERT_LT(previous, t) << ms;
        previous = t;
    }
}

}  // namespace
}  // namespace quillfen
