// Integer reading, clock-time building and splitting, and reading clock times from text.
//
// Floating-point note: the native build does plain IEEE double operations; the 32-bit Windows
// build keeps x87 code, which may hold an intermediate in 80-bit precision (see CMakeLists.txt).
#include "logic/ClockTime.h"

#include <algorithm>
#include <cmath>

#include "logic/LocaleItems.h"
#include "logic/TripArithmetic.h"

namespace quillfen {

TClockSettings ClockSettings{"h:mm:ss AMPM", ':', '.', "am", "pm"};

namespace {

constexpr std::int32_t kMsPerHour = 3'600'000;
constexpr std::int32_t kMsPerMinute = 60'000;
constexpr std::int32_t kMsPerSecond = 1'000;
constexpr std::uint32_t kMsPerDay = 86'400'000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decimal digits running to the end; the magnitude may reach 2^31 for a negative number.
bool ReadDecimalMagnitude(std::string_view digits, bool negative, std::uint32_t& magnitude) {
    if (digits.empty()) return false;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (!IsDigit(c) || value > 214'748'364u) return false;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (value > (negative ? 2'147'483'648u : 2'147'483'647u)) return false;
    magnitude = value;
    return true;
}

// Hexadecimal digits running to the end, taken as a 32-bit pattern.
bool ReadHexPattern(std::string_view digits, std::uint32_t& pattern) {
    if (digits.empty()) return false;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || value > 0x0FFF'FFFFu) return false;
        value = value * 16u + static_cast<std::uint32_t>(digit);
    }
    pattern = value;
    return true;
}

// Length of a hexadecimal prefix ('$', 'x', 'X', "0x", "0X") at the start of text, else 0.
std::size_t HexPrefixLength(std::string_view text) {
    if (text.empty()) return 0;
    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return 1;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return 2;
    return 0;
}

}  // namespace

bool TryParseInteger(std::string_view text, std::int32_t& value) noexcept {
    value = 0;
    // The usual field text, one to nine decimal digits and nothing else, cannot overflow.
    if (!text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); })) {
        for (char c : text) value = value * 10 + (c - '0');
        return true;
    }
    const char* pos = text.data();
    const char* const end = pos + text.size();
    while (pos != end && *pos == ' ') ++pos;
    if (pos == end) return false;
    const bool negative = *pos == '-';
    if (negative || *pos == '+') ++pos;
    const std::string_view rest(pos, static_cast<std::size_t>(end - pos));
    std::uint32_t pattern = 0;
    const std::size_t prefix = HexPrefixLength(rest);
    const bool read = prefix > 0 ? ReadHexPattern(rest.substr(prefix), pattern)
                                 : ReadDecimalMagnitude(rest, negative, pattern);
    if (!read) return false;
    if (negative) pattern = 0u - pattern;  // 32-bit wrap-around, as for a hexadecimal pattern
    value = static_cast<std::int32_t>(pattern);
    return true;
}

bool TryMakeClockTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                      std::int32_t millisecond, TClockTime& time) noexcept {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        return false;
    }
    const std::int32_t total =
        hour * kMsPerHour + minute * kMsPerMinute + second * kMsPerSecond + millisecond;
    time = static_cast<double>(total) / static_cast<double>(kMsPerDay);
    return true;
}

std::uint32_t DayMilliseconds(TClockTime time) noexcept {
    // Rounding is symmetric, so the magnitude of the rounded count is the rounded magnitude.
    double count = std::fabs(time * static_cast<double>(kMsPerDay));
    if (!(count < 0x1p52)) {
        // Already a whole number (or not a number at all): drop the days exactly. Tested after
        // fmod, not before: x87 code may hold a product that overflows a double as a finite
        // extended value until the call, and fmod of the infinity it becomes is NaN.
        count = std::fmod(count, static_cast<double>(kMsPerDay));
        if (!(count >= 0.0)) count = 0.0;
    }
    // llrint rounds to the nearest, ties to even (the default rounding mode).
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::llrint(count)) % kMsPerDay);
}

void SplitClockTime(TClockTime time, std::uint16_t& hour, std::uint16_t& minute,
                    std::uint16_t& second, std::uint16_t& millisecond) noexcept {
    const ClockParts parts = SplitDayMilliseconds(DayMilliseconds(time));
    hour = static_cast<std::uint16_t>(parts.Hour);
    minute = static_cast<std::uint16_t>(parts.Minute);
    second = static_cast<std::uint16_t>(parts.Second);
    millisecond = static_cast<std::uint16_t>(parts.Millisecond);
}

namespace {

// Reads a clock time from text, byte by byte, with the settings' separator, decimal mark and
// designators.
class TimeTextReader {
public:
    TimeTextReader(std::string_view text, const TClockSettings& settings)
        : text_(text), settings_(settings) {}

    bool Read(TClockTime& time) {
        int base = TakeDesignator();
        int hour = 0, minute = 0, second = 0, millisecond = 0;
        if (!TakeNumber(hour)) return false;
        SkipSpaces();
        if (TakeByte(settings_.ClockSeparator)) {
            if (!TakeNumber(minute)) return false;
            SkipSpaces();
            if (TakeByte(settings_.ClockSeparator)) {
                if (!TakeNumber(second)) return false;
                SkipSpaces();
                if (TakeByte(settings_.DecimalMark) && !TakeNumber(millisecond)) return false;
            }
        }
        if (base < 0) base = TakeDesignator();
        if (base >= 0) {
            if (hour < 1 || hour > 12) return false;
            hour = hour % 12 + base;
        }
        SkipSpaces();
        TClockTime value;
        if (!TryMakeClockTime(hour, minute, second, millisecond, value)) return false;
        if (pos_ != text_.size()) return false;
        time = value;
        return true;
    }

private:
    void SkipSpaces() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }

    // A NUL separator or decimal mark stands for "none" and never matches.
    bool TakeByte(char expected) {
        if (expected == '\0' || pos_ >= text_.size() || text_[pos_] != expected) return false;
        ++pos_;
        return true;
    }

    // Decimal digits while the value stays below 1000; at least one digit.
    bool TakeNumber(int& value) {
        SkipSpaces();
        const std::size_t start = pos_;
        value = 0;
        while (pos_ < text_.size() && IsDigit(text_[pos_]) && value < 1000) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        return pos_ > start;
    }

    bool StartsWith(std::string_view designator) const {
        const std::string_view rest = text_.substr(pos_);
        return !designator.empty() && rest.size() >= designator.size() &&
               DesignatorEquals(rest.substr(0, designator.size()), designator);
    }

    // Returns the base hour of a designator found here (0 or 12), or -1.
    int TakeDesignator() {
        SkipSpaces();
        std::string_view found;
        int base = -1;
        for (std::string_view candidate :
             {std::string_view(settings_.MorningDesignator), std::string_view("AM")}) {
            if (base < 0 && StartsWith(candidate)) found = candidate, base = 0;
        }
        for (std::string_view candidate :
             {std::string_view(settings_.AfternoonDesignator), std::string_view("PM")}) {
            if (base < 0 && StartsWith(candidate)) found = candidate, base = 12;
        }
        if (base >= 0) {
            pos_ += found.size();
            SkipSpaces();
        }
        return base;
    }

    std::string_view text_;
    const TClockSettings& settings_;
    std::size_t pos_ = 0;
};

}  // namespace

TClockTime TextToClockTime(std::string_view text) {
    TClockTime time = 0.0;
    if (!TimeTextReader(text, ClockSettings).Read(time)) {
        throw EConvertError("'" + std::string(text) + "' は時刻ではありません");
    }
    return time;
}

}  // namespace quillfen
