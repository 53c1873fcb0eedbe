// Splitting clock times and their text forms: printing in each clock format, printing travel
// times, and reading clock times from text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ClockSettingsScope.h"
#include "logic/ClockTime.h"

namespace quillfen {
namespace {

using testing::ClockSettingsScope;

double Make(int hour, int minute, int second, int millisecond = 0) {
    double time = 0;
    EXPECT_TRUE(TryMakeClockTime(hour, minute, second, millisecond, time));
    return time;
}

struct SplitCase {
    double time;
    int hour, minute, second, millisecond;
};

class SplitClockTimeTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitClockTimeTest, RoundsToTheNearestMillisecondAndDropsDays) {
    const SplitCase& c = GetParam();
    std::uint16_t h = 99, m = 99, s = 99, ms = 9999;
    SplitClockTime(c.time, h, m, s, ms);
    EXPECT_EQ(std::vector<int>({h, m, s, ms}),
              std::vector<int>({c.hour, c.minute, c.second, c.millisecond}));
}

INSTANTIATE_TEST_SUITE_P(
    Values, SplitClockTimeTest,
    ::testing::Values(SplitCase{1.0 / 24.0, 1, 0, 0, 0},  // a hair below one hour
                      SplitCase{8.0 / 24.0 - 7.0 / 24.0 - 5.0 / 1440.0, 0, 55, 0, 0},
                      SplitCase{1.25, 6, 0, 0, 0}, SplitCase{-0.25, 6, 0, 0, 0},
                      // Exact halves of a millisecond in any precision: ties go to even.
                      SplitCase{5.0 / 2048.0, 0, 3, 30, 938},  // 210,937.5 ms
                      SplitCase{3.0 / 2048.0, 0, 2, 6, 562},   // 126,562.5 ms
                      SplitCase{0.49 / 86400000.0, 0, 0, 0, 0}, SplitCase{0x1p60, 0, 0, 0, 0},
                      SplitCase{-0x1p20 - 0.5, 12, 0, 0, 0},
                      SplitCase{std::numeric_limits<double>::infinity(), 0, 0, 0, 0},
                      SplitCase{std::numeric_limits<double>::quiet_NaN(), 0, 0, 0, 0},
                      SplitCase{86399999.4 / 86400000.0, 23, 59, 59, 999},
                      SplitCase{86399999.6 / 86400000.0, 0, 0, 0, 0}));

struct FormatCase {
    const char* format;
    int hour, minute, second;
    const char* expected;
};

class ClockTimeToTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ClockTimeToTextTest, WritesTheFormatOut) {
    const FormatCase& c = GetParam();
    ClockSettingsScope scope(c.format, ':', '.', "午前", "午後");
    EXPECT_EQ(ClockTimeToText(Make(c.hour, c.minute, c.second, 999)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(SixForms, ClockTimeToTextTest,
                         ::testing::Values(FormatCase{"h:mm:ss", 7, 5, 0, "7:05:00"},
                                           FormatCase{"h:mm:ss", 0, 30, 0, "0:30:00"},
                                           FormatCase{"h:mm:ss", 13, 0, 0, "13:00:00"},
                                           FormatCase{"hh:mm:ss", 7, 5, 0, "07:05:00"},
                                           FormatCase{"hh:mm:ss", 0, 30, 0, "00:30:00"},
                                           FormatCase{"hh:mm:ss", 13, 0, 0, "13:00:00"},
                                           FormatCase{"h:mm:ss AMPM", 7, 5, 0, "7:05:00 午前"},
                                           FormatCase{"h:mm:ss AMPM", 0, 30, 0, "12:30:00 午前"},
                                           FormatCase{"h:mm:ss AMPM", 13, 0, 0, "1:00:00 午後"},
                                           FormatCase{"h:mm:ss AMPM", 12, 0, 0, "12:00:00 午後"},
                                           FormatCase{"h:mm:ss AMPM", 23, 59, 59, "11:59:59 午後"},
                                           FormatCase{"hh:mm:ss AMPM", 7, 5, 0, "07:05:00 午前"},
                                           FormatCase{"hh:mm:ss AMPM", 13, 0, 0, "01:00:00 午後"},
                                           FormatCase{"AMPM h:mm:ss", 7, 5, 0, "午前 7:05:00"},
                                           FormatCase{"AMPM h:mm:ss", 0, 30, 0, "午前 12:30:00"},
                                           FormatCase{"AMPM h:mm:ss", 13, 0, 0, "午後 1:00:00"},
                                           FormatCase{"AMPM hh:mm:ss", 0, 30, 0, "午前 12:30:00"},
                                           FormatCase{"AMPM hh:mm:ss", 13, 0, 0, "午後 01:00:00"}));

TEST(ClockTimeToTextSeparator, NulPrintsNothingAndOtherBytesPrintThemselves) {
    {
        ClockSettingsScope scope("h:mm:ss", '\0');
        EXPECT_EQ(ClockTimeToText(Make(7, 5, 0)), "70500");
        EXPECT_EQ(DurationToText(Make(7, 5, 0)), "70500");
    }
    ClockSettingsScope scope("h:mm:ss", '.');
    EXPECT_EQ(ClockTimeToText(Make(7, 5, 0)), "7.05.00");
}

TEST(ClockTimeToTextSettings, FollowsEachFieldAssignedInPlace) {
    ClockSettingsScope scope("h:mm:ss AMPM", ':', '.', "午前", "午後");
    const double time = Make(13, 5, 0);
    EXPECT_EQ(ClockTimeToText(time), "1:05:00 午後");
    ClockSettings.ClockFormat.replace(0, 12, "AMPM h:mm:ss");  // same length, same storage
    EXPECT_EQ(ClockTimeToText(time), "午後 1:05:00");
    ClockSettings.ClockSeparator = '.';
    ClockSettings.AfternoonDesignator = "PM";
    EXPECT_EQ(ClockTimeToText(time), "PM 1.05.00");
    ClockSettings.ClockFormat = "hh:mm:ss";
    EXPECT_EQ(ClockTimeToText(time), "13.05.00");
    EXPECT_EQ(DurationToText(Make(1, 2, 3)), "01.02.03");
}

struct CapCase {
    const char* format;
    std::string designator;
    std::size_t expectedBytes;
};

class ClockTimeToTextCapTest : public ::testing::TestWithParam<CapCase> {};

TEST_P(ClockTimeToTextCapTest, CutsAt256BytesOnACharacterBoundary) {
    const CapCase& c = GetParam();
    ClockSettingsScope scope(c.format, ':', '.', c.designator, c.designator);
    const std::string text = ClockTimeToText(Make(7, 5, 0));
    const std::string format = c.format;
    const std::string clock = format.find("hh") != std::string::npos ? "07:05:00" : "7:05:00";
    const std::string full =
        format.find("AMPM") == 0 ? c.designator + " " + clock : clock + " " + c.designator;
    ASSERT_EQ(text.size(), c.expectedBytes);
    EXPECT_EQ(text, full.substr(0, c.expectedBytes));
}

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, ClockTimeToTextCapTest,
    ::testing::Values(CapCase{"h:mm:ss AMPM", Repeat("x", 300), 256},
                      CapCase{"h:mm:ss AMPM", Repeat("x", 248), 256},
                      CapCase{"h:mm:ss AMPM", Repeat("あ", 100), 254},  // 3-byte characters
                      CapCase{"h:mm:ss AMPM", Repeat("é", 150), 256},   // 2-byte, fits evenly
                      CapCase{"h:mm:ss AMPM", "x" + Repeat("é", 150), 255},
                      CapCase{"h:mm:ss AMPM", Repeat("😀", 70), 256},  // 4-byte, fits evenly
                      CapCase{"h:mm:ss AMPM", "x" + Repeat("😀", 70), 253},
                      CapCase{"AMPM h:mm:ss", Repeat("あ", 100), 255},
                      // The longest designator written whole with two hour digits, and one more.
                      CapCase{"hh:mm:ss AMPM", Repeat("x", 247), 256},
                      CapCase{"hh:mm:ss AMPM", Repeat("x", 248), 256}));

struct DurationCase {
    const char* format;
    int hour, minute, second;
    const char* expected;
};

class DurationToTextTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(DurationToTextTest, PrintsTwentyFourHourWithoutDesignator) {
    const DurationCase& c = GetParam();
    ClockSettingsScope scope(c.format, ':', '.', "午前", "午後");
    EXPECT_EQ(DurationToText(Make(c.hour, c.minute, c.second, 999)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, DurationToTextTest,
                         ::testing::Values(DurationCase{"h:mm:ss", 0, 30, 0, "0:30:00"},
                                           DurationCase{"hh:mm:ss", 0, 30, 0, "00:30:00"},
                                           DurationCase{"h:mm:ss AMPM", 0, 30, 0, "0:30:00"},
                                           DurationCase{"h:mm:ss AMPM", 13, 0, 0, "13:00:00"},
                                           DurationCase{"AMPM h:mm:ss", 12, 0, 0, "12:00:00"},
                                           DurationCase{"AMPM hh:mm:ss", 1, 2, 3, "01:02:03"},
                                           DurationCase{"hh:mm:ss AMPM", 23, 59, 59, "23:59:59"}));

struct ReadCase {
    const char* text;
    char separator;
    int ms;  // expected milliseconds of the day; -1 = the reading fails
    const char* morning = "午前";
};

class TextToClockTimeTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToClockTimeTest, ReadsOrRaises) {
    const ReadCase& c = GetParam();
    ClockSettingsScope scope("h:mm:ss AMPM", c.separator, '.', c.morning, "午後");
    if (c.ms < 0) {
        try {
            TextToClockTime(c.text);
            FAIL() << "read: [" << c.text << "]";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(c.text) + "' は時刻ではありません");
        }
        return;
    }
    const double expected = Make(c.ms / 3600000, c.ms / 60000 % 60, c.ms / 1000 % 60, c.ms % 1000);
    EXPECT_EQ(TextToClockTime(c.text), expected) << "text: [" << c.text << "]";
}

constexpr int H = 3600000, M = 60000, S = 1000;
constexpr const char* kAlphabet = "abcdefghijklmnopqrstuvwxyz";
constexpr const char* kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

INSTANTIATE_TEST_SUITE_P(
    Readings, TextToClockTimeTest,
    ::testing::Values(
        ReadCase{"23:59:59", ':', 23 * H + 59 * M + 59 * S}, ReadCase{"0:00:00", ':', 0},
        ReadCase{"0:00:01", ':', S}, ReadCase{" 7 : 05 ", ':', 7 * H + 5 * M},
        ReadCase{"7:5", ':', 7 * H + 5 * M}, ReadCase{"7", ':', 7 * H},
        ReadCase{"0007:05", ':', 7 * H + 5 * M}, ReadCase{"12 PM", ':', 12 * H},
        ReadCase{"12 AM", ':', 0}, ReadCase{"pm 3:00", ':', 15 * H},
        ReadCase{"午後3:00", ':', 15 * H}, ReadCase{"11:59:59 午前", ':', 11 * H + 59 * M + 59 * S},
        ReadCase{"AM 12:30", ':', 30 * M}, ReadCase{"7:05:00.5", ':', 7 * H + 5 * M + 5},
        ReadCase{"7:05:00.0999", ':', 7 * H + 5 * M + 999}, ReadCase{"7.05.00", '.', 7 * H + 5 * M},
        ReadCase{"7", '\0', 7 * H}, ReadCase{"7:", ':', -1}, ReadCase{"13 PM", ':', -1},
        ReadCase{"0 PM", ':', -1}, ReadCase{"", ':', -1}, ReadCase{"   ", ':', -1},
        ReadCase{"24:00", ':', -1}, ReadCase{"7:60", ':', -1}, ReadCase{"1000", ':', -1},
        ReadCase{"7:05:00.", ':', -1}, ReadCase{"7:05:00.1000", ':', -1},
        ReadCase{"7:05 x", ':', -1}, ReadCase{"7.05", ':', -1}, ReadCase{"AM", ':', -1},
        ReadCase{"AM 7 PM", ':', -1}, ReadCase{"７:05", ':', -1}, ReadCase{"23:59:59", '.', -1},
        ReadCase{"7:05", '\0', -1}, ReadCase{"-7:05", ':', -1},
        ReadCase{"7:05:00 .5", ':', 7 * H + 5 * M + 5},
        ReadCase{"7:05:00  . 5 PM", ':', 19 * H + 5 * M + 5},
        // Designators match in either case, every letter of the alphabet, and nothing else.
        ReadCase{"ABCDEFGHIJKLMNOPQRSTUVWXYZ 7:05", ':', 7 * H + 5 * M, kAlphabet},
        ReadCase{"abcdefghijklmnopqrstuvwxyz 7:05", ':', 7 * H + 5 * M, kCapitals},
        ReadCase{"{`] 7:05", ':', -1, "[@}"}));

TEST(TextToClockTimeDesignators, EmptyDesignatorsNeverMatchButAmPmStillDo) {
    ClockSettingsScope scope("h:mm:ss", ':', '.', "", "");
    EXPECT_EQ(TextToClockTime("3 PM"), Make(15, 0, 0));
    EXPECT_EQ(TextToClockTime("0:00:00"), 0.0);
    EXPECT_THROW(TextToClockTime(" "), EConvertError);
}

}  // namespace
}  // namespace quillfen
