// libFuzzer target over the trip-time logic. Besides crashes and undefined behaviour it checks:
// - TryParseInteger agrees with an independent reference reading on every text;
// - TextToClockTime either gives a time of day that splits and rebuilds to the same bits, or
//   throws EConvertError with the exact message;
// - TryMakeClockTime succeeds exactly for in-range components and otherwise leaves its output
//   untouched;
// - CalculateTrip is deterministic, its readings match the reference, and its outcome is one
//   of the allowed shapes, a result memo being exactly the one expected for its times.
//
// Input: byte 0 chooses the settings and the night flag; the rest is split at '\n' into the
// six field texts and a remainder.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "logic/ClockTime.h"
#include "logic/Trip.h"

namespace {

using namespace quillfen;

void Check(bool condition) {
    if (!condition) std::abort();
}

// Reference reading, phrased by significant digits instead of running limits: a decimal
// number has at most ten significant digits and fits the signed range, a hexadecimal one at
// most eight and is taken as a 32-bit pattern.
bool ReferenceParse(std::string_view text, std::int32_t& out) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) return false;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    std::string_view rest = text.substr(i);
    int base = 10;
    if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        base = 16, rest.remove_prefix(1);
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        base = 16, rest.remove_prefix(2);
    }
    if (rest.empty()) return false;
    const std::string_view digits = base == 10 ? "0123456789" : "0123456789abcdefABCDEF";
    if (rest.find_first_not_of(digits) != std::string_view::npos) return false;
    const std::size_t firstSignificant = rest.find_first_not_of('0');
    const std::string_view significant =
        firstSignificant == std::string_view::npos ? "0" : rest.substr(firstSignificant);
    if (significant.size() > (base == 10 ? 10u : 8u)) return false;
    const std::uint64_t magnitude = std::strtoull(std::string(significant).c_str(), nullptr, base);
    if (base == 10) {
        if (magnitude > (negative ? 2147483648u : 2147483647u)) return false;
        out = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                                 : static_cast<std::int64_t>(magnitude));
    } else {
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        out = static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    return true;
}

std::int32_t CheckedParse(std::string_view text, bool& ok) {
    std::int32_t value = 0, expected = 0;
    ok = TryParseInteger(text, value);
    Check(ok == ReferenceParse(text, expected));
    Check(!ok || value == expected);
    return ok ? value : 0;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void CheckMakeClockTime(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t ms) {
    const double sentinel = -1234.5;
    double time = sentinel;
    const bool ok = TryMakeClockTime(h, m, s, ms, time);
    const bool inRange =
        h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60 && ms >= 0 && ms < 1000;
    Check(ok == inRange);
    if (!ok) return Check(SameBits(time, sentinel));
    std::uint16_t h2, m2, s2, ms2;
    SplitClockTime(time, h2, m2, s2, ms2);
    Check(time >= 0 && time < 1 && h2 == h && m2 == m && s2 == s && ms2 == ms);
}

void CheckTextToClockTime(std::string_view text) {
    try {
        const double time = TextToClockTime(text);
        std::uint16_t h, m, s, ms;
        SplitClockTime(time, h, m, s, ms);
        double rebuilt = -1;
        Check(TryMakeClockTime(h, m, s, ms, rebuilt) && SameBits(time, rebuilt));
    } catch (const EConvertError& error) {
        // what() is a C string: a text with a NUL byte shows up to that byte.
        const std::string message = "'" + std::string(text) + "' は時刻ではありません";
        Check(error.what() == message.substr(0, message.find('\0')));
    }
}

std::string ExpectedDuration(int seconds) {
    const char separator = ClockSettings.ClockSeparator;
    std::string text = std::to_string(seconds / 3600);
    if (text.size() < 2 && ClockSettings.ClockFormat.find("hh") != std::string::npos) {
        text = "0" + text;
    }
    for (int part : {seconds / 60 % 60, seconds % 60}) {
        if (separator != '\0') text += separator;
        text += static_cast<char>('0' + part / 10);
        text += static_cast<char>('0' + part % 10);
    }
    return text;
}

const char* const kSameTime = "出発・到着が同時刻になっています";
const char* const kWrongOrder =
    "出発・到着時刻が正しく設定されていません\r\n"
    "(0時をまたぐ場合は「夜行に乗る」に1を入れてください)";
const char* const kTooLong = "そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや";

// The outcome CalculateTrip must give, worked out from the reference readings.
TripOutcome ExpectedOutcome(const std::array<std::int32_t, 6>& r, bool allRead, bool night) {
    TripOutcome o;
    double depart = 0, arrive = 0;
    if (!allRead) {
        o.MemoText = "文字が入力されました。\r\nエラーです(2)。";
    } else if (!TryMakeClockTime(r[0], r[1], r[2], 0, depart) ||
               !TryMakeClockTime(r[3], r[4], r[5], 0, arrive)) {
        o.MemoText = "時刻入力エラーです(1)。";
    } else {
        const int d = r[0] * 3600 + r[1] * 60 + r[2], a = r[3] * 3600 + r[4] * 60 + r[5];
        if (night ? d > a : d < a) {
            o.MemoText = "出発：" + ClockTimeToText(depart) + "\r\n到着：" +
                         ClockTimeToText(arrive) + (night ? "（翌日）" : "") + "\r\n所要時間は" +
                         ExpectedDuration(night ? 86400 - d + a : a - d) + "です。";
            o.StartClip = true;
        } else {
            o.MemoText = "エラーです。";
            o.DialogKind = night ? TripDialog::Warning : TripDialog::Error;
            o.DialogText = night ? kTooLong : d == a ? kSameTime : kWrongOrder;
        }
    }
    return o;
}

void CheckCalculateTrip(const std::array<std::string, 6>& fields, std::uint8_t night) {
    std::array<std::int32_t, 6> readings{};
    bool allRead = true;
    for (std::size_t i = 0; i < 6; ++i) {
        bool ok = false;
        readings[i] = CheckedParse(fields[i], ok);
        allRead = allRead && ok;
    }
    const TripResult first = CalculateTrip(fields, night);
    const TripResult second = CalculateTrip(fields, night);
    const TripOutcome expected = ExpectedOutcome(readings, allRead, night != 0);
    for (const TripResult* result : {&first, &second}) {
        const TripOutcome& o = result->Outcome;
        Check(result->Readings == readings);
        Check(o.MemoText == expected.MemoText && o.DialogKind == expected.DialogKind &&
              o.DialogText == expected.DialogText && o.StartClip == expected.StartClip);
    }
}

void ApplySettings(std::uint8_t selector) {
    static const char* const kForms[] = {"h:mm:ss",       "hh:mm:ss",     "h:mm:ss AMPM",
                                         "hh:mm:ss AMPM", "AMPM h:mm:ss", "AMPM hh:mm:ss"};
    static const char kSeparators[] = {':', '.', '\0', ' '};
    ClockSettings.ClockFormat = kForms[(selector & 7) % 6];
    ClockSettings.ClockSeparator = kSeparators[(selector >> 3) & 3];
    ClockSettings.DecimalMark = (selector & 0x20) ? ',' : '.';
    const bool japanese = (selector & 0x40) != 0;
    ClockSettings.MorningDesignator = japanese ? "午前" : "am";
    ClockSettings.AfternoonDesignator = japanese ? "午後" : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    ApplySettings(data[0]);
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    std::array<std::string, 6> fields;
    std::size_t start = 0;
    for (std::string& field : fields) {
        if (start > input.size()) continue;
        const std::size_t end = std::min(input.find('\n', start), input.size());
        field = std::string(input.substr(start, end - start));
        start = end + 1;
    }
    const std::string_view remainder = start < input.size() ? input.substr(start) : "";

    bool ok = false;
    CheckedParse(input, ok);
    CheckedParse(remainder, ok);
    CheckTextToClockTime(input);
    CheckTextToClockTime(remainder);
    for (const std::string& field : fields) CheckTextToClockTime(field);
    CheckCalculateTrip(fields, static_cast<std::uint8_t>(data[0] >> 7));

    if (input.size() >= 16) {
        std::int32_t parts[4];
        std::memcpy(parts, input.data(), sizeof parts);
        CheckMakeClockTime(parts[0], parts[1], parts[2], parts[3]);
        CheckMakeClockTime(parts[0] & 31, parts[1] & 63, parts[2] & 63, parts[3] & 1023);
    }
    return 0;
}
