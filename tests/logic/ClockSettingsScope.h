// Sets the process-wide time-text settings for one test and restores them afterwards, so no
// test depends on the machine's regional settings.
#pragma once

#include <string>

#include "logic/ClockTime.h"

namespace quillfen::testing {

class ClockSettingsScope {
public:
    explicit ClockSettingsScope(std::string format, char separator = ':', char decimal = '.',
                                std::string morning = "AM", std::string afternoon = "PM")
        : saved_(ClockSettings) {
        ClockSettings = {std::move(format), separator, decimal, std::move(morning),
                         std::move(afternoon)};
    }
    ~ClockSettingsScope() { ClockSettings = saved_; }
    ClockSettingsScope(const ClockSettingsScope&) = delete;
    ClockSettingsScope& operator=(const ClockSettingsScope&) = delete;

private:
    TClockSettings saved_;
};

}  // namespace quillfen::testing
