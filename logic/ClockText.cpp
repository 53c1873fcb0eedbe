// The text forms of clock times and travel times, written from the compiled clock format.
#include "logic/ClockText.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "logic/TripArithmetic.h"

namespace quillfen {

namespace {

// A value below 100, with a leading zero when twoDigits.
char* WriteNumber(char* out, unsigned value, bool twoDigits) {
    if (value >= 10 || twoDigits) *out++ = static_cast<char>('0' + value / 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

// Writes into a buffer of fixed room, dropping whatever does not fit.
class BoundedWriter {
public:
    BoundedWriter(char* begin, std::size_t room) : pos_(begin), end_(begin + room) {}

    void Put(char c) {
        if (pos_ != end_) *pos_++ = c;
    }
    void Put(const std::string& text) {
        const std::size_t count = std::min(text.size(), static_cast<std::size_t>(end_ - pos_));
        std::memcpy(pos_, text.data(), count);
        pos_ += count;
    }
    void PutNumber(unsigned value, bool twoDigits) {
        if (value >= 10 || twoDigits) Put(static_cast<char>('0' + value / 10));
        Put(static_cast<char>('0' + value % 10));
    }
    char* Position() const { return pos_; }

private:
    char* pos_;
    char* const end_;
};

char* Put(char* out, char c) {
    *out = c;
    return out + 1;
}

char* Put(char* out, const std::string& text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// hour:minute:second with ClockSettings' separator; minutes and seconds of two digits.
char* WriteDigits(char* out, unsigned hour, unsigned minute, unsigned second, bool twoDigitHour) {
    const char separator = ClockSettings.ClockSeparator;
    out = WriteNumber(out, hour, twoDigitHour);
    if (separator != '\0') *out++ = separator;
    out = WriteNumber(out, minute, true);
    if (separator != '\0') *out++ = separator;
    return WriteNumber(out, second, true);
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

// Drops everything past kMaxClockTextBytes, backing up to the start of a UTF-8 character.
char* CutText(char* begin, char* end) {
    if (static_cast<std::size_t>(end - begin) <= kMaxClockTextBytes) return end;
    std::size_t cut = kMaxClockTextBytes;
    for (int back = 0; back < 3 && cut > 0; ++back) {
        if (!IsContinuationByte(begin[cut])) break;
        --cut;
    }
    if (IsContinuationByte(begin[cut])) cut = kMaxClockTextBytes;
    return begin + cut;
}

// Length of a run of the same letter at the start of format (1 or 2).
std::size_t LetterRun(std::string_view format) {
    return format.size() >= 2 && format[1] == format[0] ? 2 : 1;
}

}  // namespace

const ClockTextFormat& ClockTextFormat::Current() {
    static ClockTextFormat format;  // compiled from the empty text, which writes nothing
    if (format.source_ != ClockSettings.ClockFormat) format.Compile(ClockSettings.ClockFormat);
    return format;
}

void ClockTextFormat::Compile(const std::string& format) {
    source_ = format;
    tokens_.clear();
    const std::string_view text = format;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        if (rest.compare(0, 4, "AMPM") == 0) {
            tokens_.push_back({Step::Designator, false, '\0'});
            i += 4;
        } else if (rest[0] == 'h' || rest[0] == 'm' || rest[0] == 's') {
            const std::size_t run = LetterRun(rest);
            const Step step = rest[0] == 'h'   ? Step::Hour
                              : rest[0] == 'm' ? Step::Minute
                                               : Step::Second;
            tokens_.push_back({step, run == 2, '\0'});
            i += run;
        } else {
            tokens_.push_back({rest[0] == ':' ? Step::Separator : Step::Byte, false, rest[0]});
            ++i;
        }
    }
    twoDigitHour_ = format.find("hh") != std::string::npos;
    const std::string clock = (twoDigitHour_ ? "hh" : "h") + std::string(":mm:ss");
    designatorPlace_ = format == "AMPM " + clock   ? DesignatorPlace::Before
                       : format == clock + " AMPM" ? DesignatorPlace::After
                                                   : DesignatorPlace::None;
    regional_ = designatorPlace_ != DesignatorPlace::None || format == clock;
}

char* ClockTextFormat::WriteSteps(char* out, unsigned hour, unsigned minute,
                                  unsigned second) const {
    const TClockSettings& settings = ClockSettings;
    const bool twelveHour = source_.find("AMPM") != std::string::npos;
    const unsigned shownHour = twelveHour ? (hour + 11u) % 12u + 1u : hour;
    BoundedWriter text(out, kClockTextRoom);
    for (const Token& token : tokens_) {
        switch (token.step) {
            case Step::Byte:
                text.Put(token.byte);
                break;
            case Step::Separator:
                if (settings.ClockSeparator != '\0') text.Put(settings.ClockSeparator);
                break;
            case Step::Hour:
                text.PutNumber(shownHour, token.twoDigits);
                break;
            case Step::Minute:
                text.PutNumber(minute, token.twoDigits);
                break;
            case Step::Second:
                text.PutNumber(second, token.twoDigits);
                break;
            case Step::Designator:
                text.Put(hour < 12 ? settings.MorningDesignator : settings.AfternoonDesignator);
                break;
        }
    }
    return CutText(out, text.Position());
}

char* ClockTextFormat::WriteTime(char* out, TClockTime time) const {
    const ClockParts parts = SplitDayMilliseconds(DayMilliseconds(time));
    const TClockSettings& settings = ClockSettings;
    const std::string& designator =
        parts.Hour < 12 ? settings.MorningDesignator : settings.AfternoonDesignator;
    // "hh:mm:ss" and a space leave this much room for the designator within the cut.
    constexpr std::size_t kDesignatorRoom = kMaxClockTextBytes - 9;
    if (!regional_ || designator.size() > kDesignatorRoom) {
        return WriteSteps(out, parts.Hour, parts.Minute, parts.Second);
    }
    if (designatorPlace_ == DesignatorPlace::None) {
        return WriteDigits(out, parts.Hour, parts.Minute, parts.Second, twoDigitHour_);
    }
    if (designatorPlace_ == DesignatorPlace::Before) out = Put(Put(out, designator), ' ');
    const unsigned shownHour = (parts.Hour + 11u) % 12u + 1u;
    out = WriteDigits(out, shownHour, parts.Minute, parts.Second, twoDigitHour_);
    if (designatorPlace_ == DesignatorPlace::After) out = Put(Put(out, ' '), designator);
    return out;
}

char* ClockTextFormat::WriteDuration(char* out, TClockTime duration) const {
    const ClockParts parts = SplitDayMilliseconds(DayMilliseconds(duration));
    return WriteDigits(out, parts.Hour, parts.Minute, parts.Second, twoDigitHour_);
}

std::string ClockTimeToText(TClockTime time) {
    char text[kClockTextRoom];
    return std::string(text, ClockTextFormat::Current().WriteTime(text, time));
}

std::string DurationToText(TClockTime duration) {
    char text[kDurationTextRoom];
    return std::string(text, ClockTextFormat::Current().WriteDuration(text, duration));
}

}  // namespace quillfen
