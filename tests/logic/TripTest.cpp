// One trip calculation: the decision table, the error texts and the printed travel times.
#include <gtest/gtest.h>

#include <cstdio>

#include "ClockSettingsScope.h"
#include "logic/Trip.h"

namespace quillfen {
namespace {

using testing::ClockSettingsScope;
using Fields = std::array<std::string, 6>;

const char* const kNotInteger = "文字が入力されました。\r\nエラーです(2)。";
const char* const kOutOfRange = "時刻入力エラーです(1)。";
const char* const kAfterDialog = "エラーです。";
const char* const kSameTime = "出発・到着が同時刻になっています";
const char* const kWrongOrder =
    "出発・到着時刻が正しく設定されていません\r\n("
    "0時をまたぐ場合は「夜行に乗る」に1を入れてください)";
const char* const kTooLong = "そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや";

struct TripCase {
    Fields fields;
    std::uint8_t night;
    std::string memo;
    TripDialog dialog = TripDialog::None;
    std::string dialogText = "";
};

std::string Result(const std::string& depart, const std::string& arrive,
                   const std::string& travel) {
    return "出発：" + depart + "\r\n到着：" + arrive + "\r\n所要時間は" + travel + "です。";
}

void ExpectOutcome(const TripCase& c) {
    const TripResult result = CalculateTrip(c.fields, c.night);
    const TripOutcome& o = result.Outcome;
    EXPECT_EQ(o.MemoText, c.memo);
    EXPECT_EQ(o.DialogKind, c.dialog);
    EXPECT_EQ(o.DialogText, c.dialogText);
    EXPECT_EQ(o.StartClip, c.memo.rfind("出発：", 0) == 0);
}

class CalculateTripTest : public ::testing::TestWithParam<TripCase> {};

TEST_P(CalculateTripTest, FollowsTheDecisionTable) {
    ClockSettingsScope scope("h:mm:ss");
    ExpectOutcome(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, CalculateTripTest,
    ::testing::Values(
        TripCase{{"9", "05", "00", "11", "20", "30"}, 0, Result("9:05:00", "11:20:30", "2:15:30")},
        TripCase{{"23", "30", "00", "0", "15", "00"},
                 1,
                 Result("23:30:00", "0:15:00（翌日）", "0:45:00")},
        TripCase{
            {"23", "30", "00", "0", "15", "00"}, 0, kAfterDialog, TripDialog::Error, kWrongOrder},
        TripCase{
            {"00", "00", "00", "00", "00", "00"}, 0, kAfterDialog, TripDialog::Error, kSameTime},
        TripCase{
            {"00", "00", "00", "00", "00", "00"}, 1, kAfterDialog, TripDialog::Warning, kTooLong},
        TripCase{{"8", "0", "0", "9", "0", "0"}, 1, kAfterDialog, TripDialog::Warning, kTooLong},
        TripCase{
            {"23", "59", "59", "0", "0", "0"}, 1, Result("23:59:59", "0:00:00（翌日）", "0:00:01")},
        TripCase{
            {"0", "0", "1", "0", "0", "0"}, 1, Result("0:00:01", "0:00:00（翌日）", "23:59:59")},
        TripCase{{"0", "0", "0", "23", "59", "59"}, 0, Result("0:00:00", "23:59:59", "23:59:59")},
        TripCase{{"7", "05", "00", "8", "00", "00"}, 0, Result("7:05:00", "8:00:00", "0:55:00")},
        TripCase{{"6", "30", "00", "7", "15", "30"}, 0, Result("6:30:00", "7:15:30", "0:45:30")},
        TripCase{
            {"23", "0", "0", "1", "0", "0"}, 1, Result("23:00:00", "1:00:00（翌日）", "2:00:00")},
        TripCase{
            {"1", "0", "0", "0", "0", "0"}, 2, Result("1:00:00", "0:00:00（翌日）", "23:00:00")},
        TripCase{
            {"007", " 7", "0", "$8", "0x0", "+1"}, 0, Result("7:07:00", "8:00:01", "0:53:01")}));

INSTANTIATE_TEST_SUITE_P(
    Errors, CalculateTripTest,
    ::testing::Values(TripCase{{"", "0", "0", "1", "0", "0"}, 0, kNotInteger},
                      TripCase{{"1", "0", "ab", "2", "0", "0"}, 0, kNotInteger},
                      TripCase{{"1", "0", "0", "2", "0", "x"}, 1, kNotInteger},
                      TripCase{{"", "", "0", "2", "0", "0"}, 0, kNotInteger},
                      TripCase{{"", "a", "b", "2", "0", "0"}, 1, kNotInteger},
                      TripCase{{"", "", "", "", "", ""}, 0, kNotInteger},
                      TripCase{{"7 ", "0", "0", "8", "0", "0"}, 0, kNotInteger},
                      TripCase{{"99", "0", "0", "8", "0", "z"}, 0, kNotInteger},  // (2) before (1)
                      TripCase{{"24", "0", "0", "8", "0", "0"}, 0, kOutOfRange},
                      TripCase{{"1", "60", "0", "8", "0", "0"}, 0, kOutOfRange},
                      TripCase{{"1", "0", "60", "8", "0", "0"}, 0, kOutOfRange},
                      TripCase{{"1", "0", "0", "8", "0", "-1"}, 1, kOutOfRange},
                      TripCase{{"65549", "0", "0", "8", "0", "0"}, 0, kOutOfRange},
                      TripCase{{"9", "0", "0", "8", "0", "65595"}, 0, kOutOfRange}));

struct LocaleTripCase {
    const char* format;
    char separator;
    TripCase trip;
};

class CalculateTripLocaleTest : public ::testing::TestWithParam<LocaleTripCase> {};

// Any separator works at night; travel times are never printed as a 12-hour clock.
TEST_P(CalculateTripLocaleTest, PrintsTravelTimeAsADuration) {
    ClockSettingsScope scope(GetParam().format, GetParam().separator, ',', "午前", "午後");
    ExpectOutcome(GetParam().trip);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CalculateTripLocaleTest,
    ::testing::Values(
        LocaleTripCase{"h:mm:ss",
                       '.',
                       {{"23", "30", "00", "0", "15", "00"},
                        1,
                        Result("23.30.00", "0.15.00（翌日）", "0.45.00")}},
        LocaleTripCase{
            "hh:mm:ss",
            '\0',
            {{"23", "30", "00", "0", "15", "00"}, 1, Result("233000", "001500（翌日）", "004500")}},
        LocaleTripCase{"h:mm:ss AMPM",
                       ':',
                       {{"7", "0", "0", "7", "30", "0"},
                        0,
                        Result("7:00:00 午前", "7:30:00 午前", "0:30:00")}},
        LocaleTripCase{"AMPM hh:mm:ss",
                       ':',
                       {{"0", "0", "0", "13", "0", "0"},
                        0,
                        Result("午前 12:00:00", "午後 01:00:00", "13:00:00")}},
        LocaleTripCase{"h:mm:ss AMPM",
                       ':',
                       {{"22", "0", "0", "11", "0", "0"},
                        1,
                        Result("10:00:00 午後", "11:00:00 午前（翌日）", "13:00:00")}}));

TEST(CalculateTripReadings, HoldsEveryReadingEvenAfterAFailure) {
    const TripResult result = CalculateTrip({"$10", " 7", "-1", "x", "65549", "0x1F"}, 0);
    EXPECT_EQ(result.Readings, (std::array<std::int32_t, 6>{16, 7, -1, 0, 65549, 31}));
    EXPECT_EQ(result.Outcome.MemoText, kNotInteger);
}

// Every printed travel time equals the exact difference in seconds, over a deterministic
// sample of departure/arrival pairs in both modes.
TEST(CalculateTripProperty, TravelTimeIsExactToTheSecond) {
    ClockSettingsScope scope("h:mm:ss");
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&state] {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state >> 33) % 86400);
    };
    int checked = 0;
    for (int i = 0; i < 3'000'000; ++i) {
        const int depart = next(), arrive = next();
        if (depart == arrive) continue;
        const int travel = depart < arrive ? arrive - depart : 86400 - depart + arrive;
        const Fields fields = {std::to_string(depart / 3600),    std::to_string(depart / 60 % 60),
                               std::to_string(depart % 60),      std::to_string(arrive / 3600),
                               std::to_string(arrive / 60 % 60), std::to_string(arrive % 60)};
        const std::string memo = CalculateTrip(fields, depart < arrive ? 0 : 1).Outcome.MemoText;
        char expected[40];
        std::snprintf(expected, sizeof expected, "所要時間は%d:%02d:%02dです。", travel / 3600,
                      travel / 60 % 60, travel % 60);
        const std::size_t line = memo.rfind("\r\n");
        ASSERT_NE(line, std::string::npos) << memo;
        ASSERT_EQ(memo.substr(line + 2), expected) << depart << " -> " << arrive;
        ++checked;
    }
    EXPECT_GT(checked, 2'900'000);
}

}  // namespace
}  // namespace quillfen
