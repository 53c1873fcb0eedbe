// Platform-dependent pieces of the time-text settings, used inside the logic library.
#pragma once

#include <string_view>

namespace quillfen {

// Compares a piece of time text with a designator, ignoring case by the rules of the user's
// locale where the platform offers them (ASCII case folding otherwise).
bool DesignatorEquals(std::string_view text, std::string_view designator);

}  // namespace quillfen
