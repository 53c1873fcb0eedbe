#include "Reference.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace reference {

namespace {

constexpr std::uint32_t kDayMs = 86'400'000;

// An unsigned 128-bit integer with what the exact arithmetic below needs (32-bit targets
// have no built-in one).
struct U128 {
    std::uint64_t hi = 0, lo = 0;
    U128(std::uint64_t value = 0) : lo(value) {}
    U128(std::uint64_t h, std::uint64_t l) : hi(h), lo(l) {}
    friend bool operator==(U128 a, U128 b) { return a.hi == b.hi && a.lo == b.lo; }
    friend bool operator<(U128 a, U128 b) { return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo; }
    friend bool operator>(U128 a, U128 b) { return b < a; }
    friend bool operator<=(U128 a, U128 b) { return !(b < a); }
    friend bool operator>=(U128 a, U128 b) { return !(a < b); }
    friend U128 operator+(U128 a, U128 b) {
        return {a.hi + b.hi + (a.lo + b.lo < a.lo), a.lo + b.lo};
    }
    friend U128 operator-(U128 a, U128 b) { return {a.hi - b.hi - (a.lo < b.lo), a.lo - b.lo}; }
    friend U128 operator&(U128 a, U128 b) { return {a.hi & b.hi, a.lo & b.lo}; }
    friend U128 operator<<(U128 a, int n) {
        if (n == 0) return a;
        if (n >= 64) return {a.lo << (n - 64), 0};
        return {a.hi << n | a.lo >> (64 - n), a.lo << n};
    }
    friend U128 operator>>(U128 a, int n) {
        if (n == 0) return a;
        if (n >= 64) return {0, a.hi >> (n - 64)};
        return {a.hi >> n, a.lo >> n | a.hi << (64 - n)};
    }
    friend U128 operator*(U128 a, std::uint32_t b) {  // the product must fit
        const std::uint64_t lo0 = (a.lo & 0xFFFFFFFFu) * b, lo1 = (a.lo >> 32) * b;
        const U128 low = U128(lo0) + (U128(lo1) << 32);
        return {low.hi + a.hi * b, low.lo};
    }
    friend std::uint32_t operator%(U128 a, std::uint32_t m) {
        std::uint64_t r = 0;
        for (const std::uint64_t limb :
             {a.hi >> 32, a.hi & 0xFFFFFFFFu, a.lo >> 32, a.lo & 0xFFFFFFFFu}) {
            r = (r << 32 | limb) % m;
        }
        return static_cast<std::uint32_t>(r);
    }
    bool Odd() const { return lo & 1; }
    explicit operator bool() const { return hi != 0 || lo != 0; }
};

bool IsDecimal(char c) { return c >= '0' && c <= '9'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

int BitLength(U128 v) {
    int bits = 0;
    for (; v; v = v >> 1) ++bits;
    return bits;
}

// n / 2^shift rounded to an integer, ties to even (0 < shift < 128).
U128 ShiftRoundEven(U128 n, int shift) {
    const U128 whole = n >> shift, rest = n & ((U128(1) << shift) - 1),
               half = U128(1) << (shift - 1);
    return rest > half || (rest == half && whole.Odd()) ? whole + 1 : whole;
}

// n * 2^e rounded to `bits` significant bits, ties to even.
void RoundToBits(U128& n, int& e, int bits) {
    const int excess = BitLength(n) - bits;
    if (excess <= 0) return;
    n = ShiftRoundEven(n, excess);
    e += excess;
}

// n * 2^e rounded to a whole number of milliseconds (ties to even), then modulo a day.
std::uint32_t MsOfDay(U128 n, int e) {
    if (e >= 0) {
        std::uint64_t r = n % kDayMs, power = 2;
        for (; e != 0; e >>= 1, power = power * power % kDayMs) {
            if (e & 1) r = r * power % kDayMs;
        }
        return static_cast<std::uint32_t>(r);
    }
    if (-e > 120) return 0;  // n < 2^81: far below half a millisecond
    return ShiftRoundEven(n, -e) % kDayMs;
}

// |value| = mantissa * 2^exponent; false when not finite.
bool Decompose(double value, std::uint64_t& mantissa, int& exponent) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int field = static_cast<int>(bits >> 52 & 0x7FF);
    mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    if (field == 0x7FF) return false;
    if (field == 0) {
        exponent = -1074;
    } else {
        mantissa |= std::uint64_t(1) << 52;
        exponent = field - 1075;
    }
    return true;
}

// value * 2^80 as an integer, for values in [2^-80, 1).
bool Scaled(double value, U128& out) {
    std::uint64_t m;
    int e;
    if (!Decompose(value, m, e) || value <= 0 || value >= 1 || e + 80 < 0) return false;
    out = U128(m) << (e + 80);
    return true;
}

bool ValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int follow = lead < 0x80   ? 0
                           : lead < 0xC2 ? -1
                           : lead < 0xE0 ? 1
                           : lead < 0xF0 ? 2
                           : lead < 0xF5 ? 3
                                         : -1;
        if (follow < 0 || i + follow >= text.size()) return false;
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += follow + 1;
    }
    return true;
}

const char* const kForms[6] = {"h:mm:ss",       "hh:mm:ss",     "h:mm:ss AMPM",
                               "hh:mm:ss AMPM", "AMPM h:mm:ss", "AMPM hh:mm:ss"};

int FormOf(const TClockSettings& settings) {
    for (int i = 0; i < 6; ++i) {
        if (settings.ClockFormat == kForms[i]) return i;
    }
    std::abort();  // the settings checked against SettingsFromLocale hold one of the six
}

std::string Digits(int value, bool leadingZero) {
    std::string text = std::to_string(value);
    return leadingZero && text.size() < 2 ? "0" + text : text;
}

std::string HourMinuteSecond(int hour, const Clock& c, const TClockSettings& settings) {
    const bool zero = FormOf(settings) % 2 == 1;
    const std::string sep = settings.ClockSeparator ? std::string(1, settings.ClockSeparator) : "";
    return Digits(hour, zero) + sep + Digits(c.minute, true) + sep + Digits(c.second, true);
}

}  // namespace

bool ParseInteger(std::string_view text, std::int32_t& out) {
    // Phrased by significant digits instead of running limits: a decimal number has at most
    // ten and fits the signed range, a hexadecimal one at most eight and is a 32-bit pattern.
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
    const std::size_t first = rest.find_first_not_of('0');
    const std::string_view significant = first == std::string_view::npos ? "0" : rest.substr(first);
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

TClockSettings SettingsFromLocale(const LocaleTimeItems& items) {
    // One ASCII byte is the character; an empty text is none; anything else the default.
    auto character = [](const std::optional<std::string>& item, char otherwise) {
        if (!item) return otherwise;
        if (item->empty()) return '\0';
        const auto byte = static_cast<unsigned char>(item->front());
        return item->size() == 1 && byte < 0x80 ? item->front() : otherwise;
    };
    auto number = [](const std::optional<std::string>& item) {
        std::int32_t value = 0;
        return ParseInteger(item ? *item : "0", value) ? value : 0;
    };
    TClockSettings s;
    s.ClockSeparator = character(items.TimeSeparator, ':');
    s.DecimalMark = character(items.DecimalSeparator, '.');
    s.MorningDesignator = items.MorningDesignator ? *items.MorningDesignator : "am";
    s.AfternoonDesignator = items.AfternoonDesignator ? *items.AfternoonDesignator : "pm";
    const int zero = number(items.HourLeadingZero) != 0;
    const bool twelve = number(items.ClockKind) == 0;
    const bool before = twelve && number(items.DesignatorPlace) != 0;
    s.ClockFormat = kForms[(twelve ? (before ? 4 : 2) : 0) + zero];
    return s;
}

std::vector<Clock> SplitCandidates(double time) {
    std::uint64_t mantissa;
    int exponent;
    if (!Decompose(time, mantissa, exponent)) return {};
    const U128 product = U128(mantissa) * kDayMs;  // exact, below 2^80
    std::vector<std::uint32_t> counts{MsOfDay(product, exponent)};
    for (const int bits : {53, 64}) {
        U128 n = product;
        int e = exponent;
        RoundToBits(n, e, bits);
        counts.push_back(MsOfDay(n, e));
        if (bits == 64) RoundToBits(n, e, 53), counts.push_back(MsOfDay(n, e));
        if (BitLength(n) + e > 1024) return {};  // the double product is infinite
    }
    std::vector<Clock> clocks;
    for (const std::uint32_t ms : counts) {
        const Clock c{int(ms / 3'600'000), int(ms / 60'000 % 60), int(ms / 1000 % 60),
                      int(ms % 1000)};
        bool known = false;
        for (const Clock& k : clocks) known = known || std::memcmp(&k, &c, sizeof c) == 0;
        if (!known) clocks.push_back(c);
    }
    return clocks;
}

std::string FormatClock(const Clock& clock, const TClockSettings& settings) {
    const int form = FormOf(settings);
    if (form < 2) return HourMinuteSecond(clock.hour, clock, settings);
    const int shown = clock.hour % 12 == 0 ? 12 : clock.hour % 12;
    const std::string& designator =
        clock.hour < 12 ? settings.MorningDesignator : settings.AfternoonDesignator;
    const std::string time = HourMinuteSecond(shown, clock, settings);
    return form < 4 ? time + " " + designator : designator + " " + time;
}

std::string FormatDuration(const Clock& clock, const TClockSettings& settings) {
    return HourMinuteSecond(clock.hour, clock, settings);
}

bool IsCutOf(const std::string& full, const std::string& cut) {
    if (full.size() <= 256) return cut == full;
    if (!ValidUtf8(full)) {
        return cut.size() >= 253 && cut.size() <= 256 && full.compare(0, cut.size(), cut) == 0;
    }
    std::size_t end = 256;
    while ((static_cast<unsigned char>(full[end]) & 0xC0) == 0x80) --end;
    return cut == full.substr(0, end);
}

std::optional<Clock> ReadClock(std::string_view text, const TClockSettings& settings) {
    std::size_t at = 0;
    auto skipSpaces = [&] {
        while (at < text.size() && text[at] == ' ') ++at;
    };
    auto startsWith = [&](std::string_view word) {
        if (word.empty() || text.size() - at < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (Upper(text[at + i]) != Upper(word[i])) return false;
        }
        return true;
    };
    // 0 or 12 for a designator found (and passed over) here, else -1.
    auto designator = [&] {
        skipSpaces();
        const std::string_view words[4] = {settings.MorningDesignator, "AM",
                                           settings.AfternoonDesignator, "PM"};
        for (int i = 0; i < 4; ++i) {
            if (!startsWith(words[i])) continue;
            at += words[i].size();
            skipSpaces();
            return i < 2 ? 0 : 12;
        }
        return -1;
    };
    auto number = [&](int& value) {
        skipSpaces();
        const std::size_t start = at;
        for (value = 0; at < text.size() && IsDecimal(text[at]) && value < 1000; ++at) {
            value = value * 10 + (text[at] - '0');
        }
        return at > start;
    };
    auto next = [&](char mark) {
        if (mark == '\0' || at >= text.size() || text[at] != mark) return false;
        ++at;
        return true;
    };

    int base = designator();
    Clock c;
    if (!number(c.hour)) return std::nullopt;
    skipSpaces();
    if (next(settings.ClockSeparator)) {
        if (!number(c.minute)) return std::nullopt;
        skipSpaces();
        if (next(settings.ClockSeparator)) {
            if (!number(c.second)) return std::nullopt;
            skipSpaces();
            if (next(settings.DecimalMark) && !number(c.millisecond)) return std::nullopt;
        }
    }
    if (base < 0) base = designator();
    if (base >= 0) {
        if (c.hour < 1 || c.hour > 12) return std::nullopt;
        c.hour = (c.hour == 12 ? 0 : c.hour) + base;
    }
    skipSpaces();
    if (c.hour > 23 || c.minute > 59 || c.second > 59 || c.millisecond > 999) return std::nullopt;
    if (at != text.size()) return std::nullopt;
    return c;
}

bool IsDayFraction(double value, std::uint32_t totalMs, bool eitherNeighbour) {
    if (totalMs == 0) return value == 0;
    const U128 target = U128(totalMs) << 80;
    U128 a, b;
    if (!Scaled(value, a)) return false;
    const bool below = a * kDayMs < target;
    if (a * kDayMs == target) return true;
    // The double on the other side of the quotient must be the next one.
    const double other = std::nextafter(value, below ? 1.0 : 0.0);
    if (!Scaled(other, b) || (below ? b * kDayMs <= target : b * kDayMs >= target)) return false;
    const U128 mine = below ? target - a * kDayMs : a * kDayMs - target;
    const U128 theirs = below ? b * kDayMs - target : target - b * kDayMs;
    std::uint64_t m;
    int e;
    Decompose(value, m, e);
    return eitherNeighbour || mine < theirs || (mine == theirs && m % 2 == 0);
}

}  // namespace reference
