// libFuzzer target over the trip-time logic. Every answer of the logic is compared with the
// independent rules in Reference.cpp: the settings built from locale items, the split and
// both text forms of any double (huge, negative and non-finite ones included), the reading
// of time texts, the integer reading, the time building and the whole outcome of a trip.
//
// Input: byte 0 is the night-train flag as given (every byte value); byte 1 says which of
// the seven locale items are present; byte 2 how often each designator is repeated (to
// pass the 256-byte cut); bytes 3-10 a double; bytes 11-15 a millisecond count and how to
// nudge it. The rest is split at '\n' into the six field texts, a free text and the texts
// of the seven locale items.
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Reference.h"
#include "logic/ClockTime.h"
#include "logic/Trip.h"

namespace {

using namespace quillfen;
using reference::Clock;

// x87 code may round a quotient twice, which can change its last bit.
constexpr bool kExtendedIntermediates = FLT_EVAL_METHOD != 0;

struct Counts {
    unsigned long cut = 0, afternoonRead = 0, twelveHourPrinted = 0, localeItems = 0;
    ~Counts() {
        std::fprintf(stderr,
                     "oracle: %lu cut texts, %lu afternoon readings, %lu 12-hour texts, "
                     "%lu locale items\n",
                     cut, afternoonRead, twelveHourPrinted, localeItems);
    }
} counts;

void Check(bool condition) {
    if (!condition) std::abort();
}

std::int32_t CheckedParse(std::string_view text, bool& ok) {
    std::int32_t value = 0, expected = 0;
    ok = TryParseInteger(text, value);
    Check(ok == reference::ParseInteger(text, expected));
    Check(!ok || value == expected);
    return ok ? value : 0;
}

bool SameClock(const Clock& a, const Clock& b) {
    return a.hour == b.hour && a.minute == b.minute && a.second == b.second &&
           a.millisecond == b.millisecond;
}

void CheckTimeValue(double time) {
    std::uint16_t h, m, s, ms;
    SplitClockTime(time, h, m, s, ms);
    Check(h < 24 && m < 60 && s < 60 && ms < 1000);
    const Clock split{h, m, s, ms};
    const std::vector<Clock> allowed = reference::SplitCandidates(time);
    Check(allowed.empty() || std::any_of(allowed.begin(), allowed.end(),
                                         [&](const Clock& c) { return SameClock(c, split); }));
    const std::string full = reference::FormatClock(split, ClockSettings);
    counts.cut += full.size() > 256;
    counts.twelveHourPrinted += ClockSettings.ClockFormat.size() > 8;
    Check(reference::IsCutOf(full, ClockTimeToText(time)));
    Check(DurationToText(time) == reference::FormatDuration(split, ClockSettings));
}

void CheckMakeClockTime(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t ms) {
    const double sentinel = -1234.5;
    double time = sentinel;
    const bool inRange =
        h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60 && ms >= 0 && ms < 1000;
    Check(TryMakeClockTime(h, m, s, ms, time) == inRange);
    if (!inRange) return Check(std::memcmp(&time, &sentinel, sizeof time) == 0);
    const auto total = static_cast<std::uint32_t>(h * 3'600'000 + m * 60'000 + s * 1000 + ms);
    Check(reference::IsDayFraction(time, total, kExtendedIntermediates));
}

void CheckReading(std::string_view text) {
    const std::optional<Clock> expected = reference::ReadClock(text, ClockSettings);
    try {
        const double time = TextToClockTime(text);
        Check(expected.has_value());
        const Clock& c = *expected;
        counts.afternoonRead += c.hour >= 12;
        const auto total = static_cast<std::uint32_t>(c.hour * 3'600'000 + c.minute * 60'000 +
                                                      c.second * 1000 + c.millisecond);
        Check(reference::IsDayFraction(time, total, kExtendedIntermediates));
    } catch (const EConvertError& error) {
        Check(!expected.has_value());
        // what() is a C string: a text with a NUL byte shows up to that byte.
        const std::string message = "'" + std::string(text) + "' は時刻ではありません";
        Check(error.what() == message.substr(0, message.find('\0')));
    }
}

Clock ClockOfSeconds(int seconds) { return Clock{seconds / 3600, seconds / 60 % 60, seconds % 60}; }

// Checks a result memo line by line: designators hold no '\n', so "\r\n" parts the lines.
void CheckResultMemo(const std::string& memo, const Clock& depart, const Clock& arrive, bool night,
                     int travelSeconds) {
    const std::size_t first = memo.find("\r\n"), second = memo.find("\r\n", first + 2);
    Check(first != std::string::npos && second != std::string::npos);
    const std::string line1 = memo.substr(0, first);
    std::string line2 = memo.substr(first + 2, second - first - 2);
    const std::string departLabel = "出発：", arriveLabel = "到着：", nextDay = "（翌日）";
    Check(line1.compare(0, departLabel.size(), departLabel) == 0);
    Check(reference::IsCutOf(reference::FormatClock(depart, ClockSettings),
                             line1.substr(departLabel.size())));
    Check(line2.compare(0, arriveLabel.size(), arriveLabel) == 0);
    if (night) {
        Check(line2.size() >= arriveLabel.size() + nextDay.size() &&
              line2.compare(line2.size() - nextDay.size(), nextDay.size(), nextDay) == 0);
        line2.resize(line2.size() - nextDay.size());
    }
    Check(reference::IsCutOf(reference::FormatClock(arrive, ClockSettings),
                             line2.substr(arriveLabel.size())));
    Check(memo.substr(second + 2) ==
          "所要時間は" + reference::FormatDuration(ClockOfSeconds(travelSeconds), ClockSettings) +
              "です。");
}

void CheckCalculateTrip(const std::array<std::string, 6>& fields, std::uint8_t nightFlag) {
    std::array<std::int32_t, 6> r{};
    bool allRead = true;
    for (std::size_t i = 0; i < 6; ++i) {
        bool ok = false;
        r[i] = CheckedParse(fields[i], ok);
        allRead = allRead && ok;
    }
    const TripResult result = CalculateTrip(fields, nightFlag);
    const TripOutcome& o = result.Outcome;
    Check(result.Readings == r);
    auto only = [&](const char* memo, TripDialog kind, const char* dialog) {
        Check(o.MemoText == memo && o.DialogKind == kind && o.DialogText == dialog && !o.StartClip);
    };
    auto inRange = [](std::int32_t h, std::int32_t m, std::int32_t s) {
        return h >= 0 && h <= 23 && m >= 0 && m <= 59 && s >= 0 && s <= 59;
    };
    if (!allRead) return only("文字が入力されました。\r\nエラーです(2)。", TripDialog::None, "");
    if (!inRange(r[0], r[1], r[2]) || !inRange(r[3], r[4], r[5])) {
        return only("時刻入力エラーです(1)。", TripDialog::None, "");
    }
    const int d = r[0] * 3600 + r[1] * 60 + r[2], a = r[3] * 3600 + r[4] * 60 + r[5];
    const bool night = nightFlag != 0;  // a flag byte other than 0 or 1 counts as set
    if (night ? d > a : d < a) {
        Check(o.DialogKind == TripDialog::None && o.DialogText.empty() && o.StartClip);
        return CheckResultMemo(o.MemoText, ClockOfSeconds(d), ClockOfSeconds(a), night,
                               night ? 86400 - d + a : a - d);
    }
    if (night) {
        return only("エラーです。", TripDialog::Warning,
                    "そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや");
    }
    only("エラーです。", TripDialog::Error,
         d == a ? "出発・到着が同時刻になっています"
                : "出発・到着時刻が正しく設定されていません\r\n"
                  "(0時をまたぐ場合は「夜行に乗る」に1を入れてください)");
}

// The settings of this input, from its locale items, checked against the rules.
void ApplyLocaleItems(std::uint8_t present, std::uint8_t repeats,
                      const std::array<std::string, 7>& texts) {
    std::array<std::optional<std::string>, 7> items;
    for (int i = 0; i < 7; ++i) {
        if (!(present >> i & 1)) continue;
        items[i] = texts[i];
        counts.localeItems++;
        if (i == 2 || i == 3) {  // designators, repeated n²·2+1 times, up to 300 bytes
            const int n = i == 2 ? repeats & 15 : repeats >> 4;
            for (int k = 0; k < 2 * n * n && items[i]->size() < 300; ++k) *items[i] += texts[i];
        }
    }
    const LocaleTimeItems locale{items[0], items[1], items[2], items[3],
                                 items[4], items[5], items[6]};
    const TClockSettings got = ClockSettingsFromLocale(locale);
    const TClockSettings want = reference::SettingsFromLocale(locale);
    Check(got.ClockFormat == want.ClockFormat && got.ClockSeparator == want.ClockSeparator &&
          got.DecimalMark == want.DecimalMark && got.MorningDesignator == want.MorningDesignator &&
          got.AfternoonDesignator == want.AfternoonDesignator);
    ClockSettings = got;
}

// A time near a whole millisecond count: on it, half a millisecond past, or a hair either side.
double NudgedTime(std::uint32_t count, std::uint8_t how) {
    static const double kOffsets[4] = {0.0, 0.5, 0.4999999, 0.5000001};
    double time = (count + kOffsets[how & 3]) / 86'400'000.0;
    if (how & 4) time = std::nextafter(time, 2.0);
    if (how & 8) time = std::nextafter(time, -2.0);
    if (how & 16) time += 1e6;
    return how & 32 ? -time : time;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t header[16] = {};
    std::memcpy(header, data, std::min(size, sizeof header));
    const std::string_view input(
        reinterpret_cast<const char*>(data) + std::min(size, sizeof header),
        size - std::min(size, sizeof header));

    std::array<std::string, 14> pieces;  // six fields, the free text, seven locale items
    std::size_t start = 0;
    for (std::string& piece : pieces) {
        if (start > input.size()) break;
        const std::size_t end = std::min(input.find('\n', start), input.size());
        piece = std::string(input.substr(start, end - start));
        start = end + 1;
    }
    std::array<std::string, 6> fields;
    std::array<std::string, 7> items;
    std::copy_n(pieces.begin(), 6, fields.begin());
    std::copy_n(pieces.begin() + 7, 7, items.begin());
    ApplyLocaleItems(header[1], header[2], items);

    double raw;
    std::memcpy(&raw, header + 3, sizeof raw);
    std::uint32_t count;
    std::memcpy(&count, header + 11, sizeof count);
    CheckTimeValue(raw);
    CheckTimeValue(NudgedTime(count, header[15]));
    CheckTimeValue(NudgedTime(count % 86'400'000, header[15] & 15));

    bool ok = false;
    CheckedParse(pieces[6], ok);
    CheckReading(pieces[6]);
    for (const std::string& field : fields) CheckReading(field);
    CheckCalculateTrip(fields, header[0]);

    std::int32_t parts[4];
    std::memcpy(parts, header, sizeof parts);
    CheckMakeClockTime(parts[0], parts[1], parts[2], parts[3]);
    CheckMakeClockTime(header[0] & 31, header[1] & 63, header[2] & 63, count % 1024);
    return 0;
}
