// Clock-time values, their text forms and the process-wide time-text settings.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "logic/Exception.h"

namespace quillfen {

// Days; the fractional part is the time of day (0.5 is 12:00:00, 1/86400 one second).
using TClockTime = double;

struct TClockSettings {
    std::string ClockFormat;          // one of the six forms, e.g. "h:mm:ss", "AMPM hh:mm:ss"
    char ClockSeparator = ':';        // '\0' = none
    char DecimalMark = '.';           // '\0' = none
    std::string MorningDesignator;    // may be empty
    std::string AfternoonDesignator;  // may be empty
};
extern TClockSettings ClockSettings;  // the one process-wide record

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Reads a 32-bit integer: leading spaces, one sign, decimal or '$'/'x'/'0x' hexadecimal.
// On failure value is 0 and carries no meaning.
bool TryParseInteger(std::string_view text, std::int32_t& value) noexcept;

// Builds hour:minute:second.millisecond as a fraction of a day, correctly rounded.
// On failure (any component out of range) time is left untouched.
bool TryMakeClockTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                      std::int32_t millisecond, TClockTime& time) noexcept;

// Splits the time of day after rounding to the nearest millisecond (ties to even).
void SplitClockTime(TClockTime time, std::uint16_t& hour, std::uint16_t& minute,
                    std::uint16_t& second, std::uint16_t& millisecond) noexcept;

// Formats with ClockSettings.ClockFormat. At most 256 bytes; the cut never splits a UTF-8
// character.
std::string ClockTimeToText(TClockTime time);

// Formats a travel time: ClockSettings' separator and hour style (h or hh), always 24-hour
// numbering, never a designator; milliseconds are cut.
std::string DurationToText(TClockTime duration);

// Reads a clock time using ClockSettings. Throws EConvertError whose what() is
// "'<text>' は時刻ではありません".
TClockTime TextToClockTime(std::string_view text);

// The seven locale items as the platform reports them; std::nullopt = the query failed.
// Texts are the item's whole text (a separator item longer than one byte is passed as it is;
// the one-byte rule is applied by ClockSettingsFromLocale).
struct LocaleTimeItems {
    std::optional<std::string> TimeSeparator;        // LOCALE_STIME
    std::optional<std::string> DecimalSeparator;     // LOCALE_SDECIMAL
    std::optional<std::string> MorningDesignator;    // LOCALE_S1159
    std::optional<std::string> AfternoonDesignator;  // LOCALE_S2359
    std::optional<std::string> HourLeadingZero;      // LOCALE_ITLZERO
    std::optional<std::string> ClockKind;            // LOCALE_ITIME
    std::optional<std::string> DesignatorPlace;      // LOCALE_ITIMEMARKPOSN
};
TClockSettings ClockSettingsFromLocale(const LocaleTimeItems& items);  // pure
LocaleTimeItems ReadUserLocaleTimeItems();  // the platform's regional settings
void LoadClockSettings();  // ClockSettings = ClockSettingsFromLocale(ReadUserLocaleTimeItems())

}  // namespace quillfen
