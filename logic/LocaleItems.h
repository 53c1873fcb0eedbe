// Platform-dependent pieces of the time-text settings, used inside the logic library.
#pragma once

#include <string_view>

#include "logic/ClockTime.h"

namespace quillfen {

// Compares a piece of time text with a designator, ignoring case by the rules of the user's
// locale where the platform offers them (ASCII case folding otherwise).
bool DesignatorEquals(std::string_view text, std::string_view designator);

#ifndef _WIN32
// The separator, clock kind, hour style and designator place that a C library time format
// gives ("%r" in it stands for ampmFormat), its texts in the given character set.
void ReadTimeFormatItems(const char* timeFormat, const char* ampmFormat, const char* codeset,
                         LocaleTimeItems& items);
#endif

}  // namespace quillfen
