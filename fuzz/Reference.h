// The rules of the time texts, written out a second time for the fuzz target: it calls
// nothing of the logic library and shares no code with it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/ClockTime.h"

namespace reference {

using quillfen::LocaleTimeItems;
using quillfen::TClockSettings;

struct Clock {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Integer reading: leading spaces, one sign, decimal or '$'/'x'/'0x' hexadecimal.
bool ParseInteger(std::string_view text, std::int32_t& out);

TClockSettings SettingsFromLocale(const LocaleTimeItems& items);

// The time of day a value splits into, for every precision the product with 86,400,000 may
// be formed in (double, extended, extended then double, exact). Empty when the value is not
// finite or its product overflows a double: then any time of day is allowed.
std::vector<Clock> SplitCandidates(double time);

std::string FormatClock(const Clock& clock, const TClockSettings& settings);
std::string FormatDuration(const Clock& clock, const TClockSettings& settings);

// The 256-byte cut of a formatted text. For valid UTF-8 the only answer; for other bytes
// any prefix of 253 to 256 bytes is accepted.
bool IsCutOf(const std::string& full, const std::string& cut);

std::optional<Clock> ReadClock(std::string_view text, const TClockSettings& settings);

// Whether value is total / 86,400,000 rounded to the nearest double; with eitherNeighbour
// the other double bracketing the quotient counts too (a quotient rounded twice on x87).
bool IsDayFraction(double value, std::uint32_t totalMs, bool eitherNeighbour);

}  // namespace reference
