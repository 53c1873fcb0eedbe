// The clock format of ClockSettings compiled into steps, so that clock times and travel times
// are written straight into a caller's buffer without reading the format text again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "logic/ClockTime.h"

namespace quillfen {

// The longest text of a clock time: ClockTimeToText cuts there, on a character boundary.
constexpr std::size_t kMaxClockTextBytes = 256;
// Room WriteTime needs: the cut looks at the first byte past the limit.
constexpr std::size_t kClockTextRoom = kMaxClockTextBytes + 1;
// Room WriteDuration needs: hours, minutes and seconds of two digits, two separators.
constexpr std::size_t kDurationTextRoom = 8;

class ClockTextFormat {
public:
    // The compiled form of ClockSettings.ClockFormat, compiled anew whenever that text differs
    // from the one it was made from. The separator and the designators are read from
    // ClockSettings at each write. Like ClockSettings, it is for the one thread that uses them.
    static const ClockTextFormat& Current();

    // Writes the text ClockTimeToText gives for time at out (kClockTextRoom bytes of room);
    // returns the end of the text.
    char* WriteTime(char* out, TClockTime time) const;
    // Writes the text DurationToText gives for duration at out (kDurationTextRoom bytes).
    char* WriteDuration(char* out, TClockTime duration) const;

private:
    enum class Step : unsigned char { Byte, Separator, Hour, Minute, Second, Designator };
    struct Token {
        Step step;
        bool twoDigits;  // Hour, Minute, Second: with a leading zero
        char byte;       // Byte: the byte to write
    };
    enum class DesignatorPlace : unsigned char { None, Before, After };

    void Compile(const std::string& format);
    char* WriteSteps(char* out, unsigned hour, unsigned minute, unsigned second) const;

    std::string source_;  // the format text the steps were made from
    std::vector<Token> tokens_;
    // The regional forms ([AMPM ]h:mm:ss[ AMPM], h or hh) are written without the steps.
    bool regional_ = false;
    DesignatorPlace designatorPlace_ = DesignatorPlace::None;
    bool twoDigitHour_ = false;  // the format holds "hh"; travel times follow it too
};

}  // namespace quillfen
