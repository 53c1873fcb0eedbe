// The decision logic of one trip calculation: field texts and the night-train flag in, the
// memo text, the dialog to raise and whether to start the voice clip out.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "logic/ClockTime.h"

namespace quillfen {

enum class TripDialog { None, Warning, Error };

struct TripOutcome {
    std::string MemoText;
    TripDialog DialogKind = TripDialog::None;
    std::string DialogText;  // empty when DialogKind is None
    bool StartClip = false;
};

struct TripResult {
    // DepartHour, DepartMinute, DepartSecond, ArriveHour, ArriveMinute, ArriveSecond
    std::array<std::int32_t, 6> Readings{};
    TripOutcome Outcome;
};

// fieldTexts: the texts of LabeledEdit1..LabeledEdit6, as they stand. nightTrain: 0 or 1 (any
// other value counts as 1). Departure and arrival are printed with ClockTimeToText, the travel
// time with DurationToText. The fixed times of the night arithmetic (23:59:59, 0:00:00,
// 0:00:01) are the values TryMakeClockTime builds for them, whatever the regional separator,
// so it never raises.
TripResult CalculateTrip(const std::array<std::string, 6>& fieldTexts, std::uint8_t nightTrain);

}  // namespace quillfen
