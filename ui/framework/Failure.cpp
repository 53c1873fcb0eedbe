#include "ui/framework/Failure.h"

#include "logic/Exception.h"

namespace quillfen {

namespace {

FailureWords g_words = nullptr;

const char* StandIn(Failure failure) noexcept {
    switch (failure) {
        case Failure::WindowClass:
            return "cannot register a window class";
        case Failure::Window:
            return "cannot create a window";
        case Failure::Font:
            return "cannot create a font";
        case Failure::Control:
            return "cannot create a control";
        case Failure::Unknown:
            break;
    }
    return "unknown error";
}

}  // namespace

void SetFailureWords(FailureWords words) noexcept { g_words = words; }

std::string FailureText(Failure failure) noexcept {
    try {
        if (g_words) return g_words(failure);
    } catch (...) {
        // The program's words could not be had (a missing string): the stand-in says it.
    }
    try {
        return StandIn(failure);
    } catch (...) {
        return {};
    }
}

void ThrowFailure(Failure failure) { throw Exception(FailureText(failure)); }

}  // namespace quillfen
