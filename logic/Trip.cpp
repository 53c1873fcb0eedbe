// One trip calculation: reading the six fields, checking the times and building the result.
#include "logic/Trip.h"

#include <cstring>
#include <string_view>

#include "logic/ClockText.h"
#include "logic/TripArithmetic.h"

namespace quillfen {

namespace {

constexpr std::string_view kDepartLabel = "出発：";
constexpr std::string_view kArriveLabel = "到着：";
constexpr std::string_view kNextDayMarker = "（翌日）";
constexpr std::string_view kTravelWords = "所要時間は";
constexpr std::string_view kTravelEnd = "です。";
constexpr std::string_view kLineBreak = "\r\n";
// The longest result text: every label and break, two clock times and a travel time.
constexpr std::size_t kResultRoom =
    kDepartLabel.size() + kArriveLabel.size() + kNextDayMarker.size() + kTravelWords.size() +
    kTravelEnd.size() + 2 * kLineBreak.size() + 2 * kClockTextRoom + kDurationTextRoom;
constexpr const char* kMemoAfterDialog = "エラーです。";
constexpr const char* kMemoNotInteger = "文字が入力されました。\r\nエラーです(2)。";
constexpr const char* kMemoOutOfRange = "時刻入力エラーです(1)。";
constexpr const char* kDialogSameTime = "出発・到着が同時刻になっています";
constexpr const char* kDialogWrongOrder =
    "出発・到着時刻が正しく設定されていません\r\n"
    "(0時をまたぐ場合は「夜行に乗る」に1を入れてください)";
constexpr const char* kDialogTooLong = "そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや";

TripOutcome DialogOutcome(TripDialog kind, const char* text) {
    TripOutcome outcome;
    outcome.MemoText = kMemoAfterDialog;
    outcome.DialogKind = kind;
    outcome.DialogText = text;
    return outcome;
}

char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The three result lines, written into one buffer and copied into the memo text at once.
void SetResult(TripOutcome& outcome, TClockTime depart, TClockTime arrive, TClockTime travel,
               bool nextDay) {
    const ClockTextFormat& format = ClockTextFormat::Current();
    char memo[kResultRoom];
    char* end = format.WriteTime(Put(memo, kDepartLabel), depart);
    end = format.WriteTime(Put(Put(end, kLineBreak), kArriveLabel), arrive);
    if (nextDay) end = Put(end, kNextDayMarker);
    end = format.WriteDuration(Put(Put(end, kLineBreak), kTravelWords), travel);
    end = Put(end, kTravelEnd);
    outcome.MemoText = std::string(memo, end);
    outcome.StartClip = true;
}

}  // namespace

NightClockTimes FixedNightTimes() noexcept {
    NightClockTimes fixed{0.0, 0.0, 0.0};
    TryMakeClockTime(23, 59, 59, 0, fixed.LastSecond);
    TryMakeClockTime(0, 0, 0, 0, fixed.Midnight);
    TryMakeClockTime(0, 0, 1, 0, fixed.OneSecond);
    return fixed;
}

TClockTime DayTravelTime(TClockTime depart, TClockTime arrive) noexcept { return arrive - depart; }

TClockTime NightTravelTime(TClockTime depart, TClockTime arrive,
                           const NightClockTimes& fixed) noexcept {
    const TClockTime beforeMidnight = fixed.LastSecond - depart;
    const TClockTime afterMidnight = fixed.Midnight + arrive;
    return fixed.OneSecond + (beforeMidnight + afterMidnight);
}

TripResult CalculateTrip(const std::array<std::string, 6>& fieldTexts, std::uint8_t nightTrain) {
    TripResult result;
    bool allRead = true;
    for (std::size_t i = 0; i < fieldTexts.size(); ++i) {
        allRead = TryParseInteger(fieldTexts[i], result.Readings[i]) && allRead;
    }
    if (!allRead) {
        result.Outcome.MemoText = kMemoNotInteger;
        return result;
    }

    const auto& r = result.Readings;
    TClockTime depart = 0.0, arrive = 0.0;
    const bool departOk = TryMakeClockTime(r[0], r[1], r[2], 0, depart);
    const bool arriveOk = TryMakeClockTime(r[3], r[4], r[5], 0, arrive);
    if (!departOk || !arriveOk) {
        result.Outcome.MemoText = kMemoOutOfRange;
        return result;
    }

    if (nightTrain == 0) {
        if (depart < arrive) {
            SetResult(result.Outcome, depart, arrive, DayTravelTime(depart, arrive), false);
        } else if (depart == arrive) {
            result.Outcome = DialogOutcome(TripDialog::Error, kDialogSameTime);
        } else {
            result.Outcome = DialogOutcome(TripDialog::Error, kDialogWrongOrder);
        }
    } else if (depart > arrive) {
        const TClockTime travel = NightTravelTime(depart, arrive, FixedNightTimes());
        SetResult(result.Outcome, depart, arrive, travel, true);
    } else {
        result.Outcome = DialogOutcome(TripDialog::Warning, kDialogTooLong);
    }
    return result;
}

}  // namespace quillfen
