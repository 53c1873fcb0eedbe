// The travel-time arithmetic of a trip, shared by CalculateTrip and the exhaustive checker.
// Defined out of line in the logic library so that every caller runs the same machine code,
// compiled with the library's floating-point settings.
#pragma once

#include <cstdint>

#include "logic/ClockTime.h"

namespace quillfen {

// The millisecond of the day that SplitClockTime splits time into: the count of milliseconds
// rounded to the nearest (ties to even), whole days dropped. Checking a travel time against a
// whole number of seconds needs only this, not the split.
std::uint32_t DayMilliseconds(TClockTime time) noexcept;

// Hour, minute, second and millisecond of a millisecond of the day.
struct ClockParts {
    unsigned Hour, Minute, Second, Millisecond;
};
inline ClockParts SplitDayMilliseconds(std::uint32_t dayMs) noexcept {
    const std::uint32_t minutesOfDay = dayMs / 60'000;
    const std::uint32_t rest = dayMs % 60'000;
    return {minutesOfDay / 60, minutesOfDay % 60, rest / 1'000, rest % 1'000};
}

// The fixed times of the night-train arithmetic.
struct NightClockTimes {
    TClockTime LastSecond;  // 23:59:59
    TClockTime Midnight;    // 0:00:00
    TClockTime OneSecond;   // 0:00:01
};

// Built with TryMakeClockTime: bit for bit what reading "23:59:59", "0:00:00" and "0:00:01"
// with a ':' separator gives, on every regional setting.
NightClockTimes FixedNightTimes() noexcept;

// Same-day trip, departure earlier than arrival: arrive - depart.
TClockTime DayTravelTime(TClockTime depart, TClockTime arrive) noexcept;

// Night trip, departure later than arrival:
// OneSecond + ((LastSecond - depart) + (Midnight + arrive)).
TClockTime NightTravelTime(TClockTime depart, TClockTime arrive,
                           const NightClockTimes& fixed) noexcept;

}  // namespace quillfen
