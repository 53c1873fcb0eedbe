// Building the time-text settings from the locale items.
#include <gtest/gtest.h>

#include <set>

#include "ClockSettingsScope.h"
#include "logic/ClockTime.h"
#include "logic/LocaleItems.h"

namespace quillfen {
namespace {

using Item = std::optional<std::string>;

TEST(ClockSettingsFromLocale, FailedQueriesGiveTheDefaults) {
    const TClockSettings settings = ClockSettingsFromLocale({});
    EXPECT_EQ(settings.ClockFormat, "h:mm:ss AMPM");
    EXPECT_EQ(settings.ClockSeparator, ':');
    EXPECT_EQ(settings.DecimalMark, '.');
    EXPECT_EQ(settings.MorningDesignator, "am");
    EXPECT_EQ(settings.AfternoonDesignator, "pm");
}

struct FormCase {
    Item leadingZero, clockKind, designatorPlace;
    const char* format;
    // Where set, the items come from this C library time format instead (native only).
    const char* libraryFormat = nullptr;
};

class ClockFormatTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(ClockFormatTest, BuildsOneOfTheSixForms) {
    LocaleTimeItems items;
    items.HourLeadingZero = GetParam().leadingZero;
    items.ClockKind = GetParam().clockKind;
    items.DesignatorPlace = GetParam().designatorPlace;
    if (GetParam().libraryFormat) {
#ifdef _WIN32
        GTEST_SKIP() << "the C library's time formats are read on the native build only";
#else
        ReadTimeFormatItems(GetParam().libraryFormat, "%I:%M:%S %p", "UTF-8", items);
#endif
    }
    EXPECT_EQ(ClockSettingsFromLocale(items).ClockFormat, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ClockFormatTest,
    ::testing::Values(
        FormCase{"0", "1", "0", "h:mm:ss"}, FormCase{"1", "1", "1", "hh:mm:ss"},
        FormCase{"0", "0", "0", "h:mm:ss AMPM"}, FormCase{"1", "0", "0", "hh:mm:ss AMPM"},
        FormCase{"0", "0", "1", "AMPM h:mm:ss"}, FormCase{"1", "0", "1", "AMPM hh:mm:ss"},
        FormCase{"2", "7", std::nullopt, "hh:mm:ss"},
        FormCase{"x", "1", "1", "h:mm:ss"},  // unreadable integer counts as 0
        FormCase{"$1", " 1", "0", "hh:mm:ss"}, FormCase{"1", "", "-1", "AMPM hh:mm:ss"},
        FormCase{std::nullopt, std::nullopt, std::nullopt, "h:mm:ss AMPM"},
        FormCase{{}, {}, {}, "h:mm:ss", "%k:%M:%S"},
        FormCase{{}, {}, {}, "h:mm:ss AMPM", "%l:%M:%S %p"}));

struct CharacterCase {
    Item item;
    char separator, decimal;
};

class CharacterItemTest : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(CharacterItemTest, UsesOneByteOnlyEmptyIsNone) {
    LocaleTimeItems items;
    items.TimeSeparator = GetParam().item;
    items.DecimalSeparator = GetParam().item;
    const TClockSettings settings = ClockSettingsFromLocale(items);
    EXPECT_EQ(settings.ClockSeparator, GetParam().separator);
    EXPECT_EQ(settings.DecimalMark, GetParam().decimal);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CharacterItemTest,
    ::testing::Values(CharacterCase{":", ':', ':'}, CharacterCase{".", '.', '.'},
                      CharacterCase{",", ',', ','}, CharacterCase{"", '\0', '\0'},
                      CharacterCase{"時", ':', '.'}, CharacterCase{"::", ':', '.'},
                      CharacterCase{"\x80", ':', '.'}, CharacterCase{std::nullopt, ':', '.'}));

TEST(ClockSettingsFromLocale, DesignatorsAreTakenWholeEvenWhenEmpty) {
    LocaleTimeItems items;
    items.MorningDesignator = "";
    items.AfternoonDesignator = "午後";
    const TClockSettings settings = ClockSettingsFromLocale(items);
    EXPECT_EQ(settings.MorningDesignator, "");
    EXPECT_EQ(settings.AfternoonDesignator, "午後");
}

TEST(LoadClockSettings, FillsTheRecordWithOneOfTheSixForms) {
    testing::ClockSettingsScope restore("");
    LoadClockSettings();
    const std::set<std::string> forms = {"h:mm:ss",       "hh:mm:ss",     "h:mm:ss AMPM",
                                         "hh:mm:ss AMPM", "AMPM h:mm:ss", "AMPM hh:mm:ss"};
    EXPECT_EQ(forms.count(ClockSettings.ClockFormat), 1u) << ClockSettings.ClockFormat;
    const TClockSettings expected = ClockSettingsFromLocale(ReadUserLocaleTimeItems());
    EXPECT_EQ(ClockSettings.ClockFormat, expected.ClockFormat);
    EXPECT_EQ(ClockSettings.ClockSeparator, expected.ClockSeparator);
    EXPECT_EQ(ClockSettings.MorningDesignator, expected.MorningDesignator);
}

}  // namespace
}  // namespace quillfen
