#include "ui/framework/Failure.h"

#include "logic/Exception.h"

namespace quillfen {

namespace {

FailureWords g_words = nullptr;

// In the order of the codes.
constexpr const char* kStandIns[] = {"cannot register a window class", "cannot create a window",
                                     "cannot create a font", "cannot create a control",
                                     "unknown error"};

const char* StandIn(Failure failure) noexcept { return kStandIns[static_cast<int>(failure)]; }

}  // namespace

void SetFailureWords(FailureWords words) noexcept { g_words = words; }

std::string FailureText(Failure failure) noexcept {
    try {
        if (g_words) return g_words(failure);
    } catch (...) {
        // The program's words could not be had (a missing string): the stand-in says it.
    }
    return StandIn(failure);
}

void ThrowFailure(Failure failure) { throw Exception(FailureText(failure)); }

}  // namespace quillfen
