// What the framework reports when the platform refuses it something. The words are the
// program's: the forms layer hands them in; until it has, plain English ones stand in.
#pragma once

#include <cstdint>
#include <string>

namespace quillfen {

enum class Failure : std::uint8_t {
    WindowClass,  // a window class could not be registered
    Window,       // a window could not be created
    Font,         // a font could not be made
    Control,      // a control of a form could not be created
    Unknown,      // an error that is no exception of the program's
};

// The program's text for a failure; it may throw, and then the stand-in is used.
using FailureWords = std::string (*)(Failure failure);
void SetFailureWords(FailureWords words) noexcept;

std::string FailureText(Failure failure) noexcept;
// Throws the program's error (Exception) with the failure's text.
[[noreturn]] void ThrowFailure(Failure failure);

}  // namespace quillfen
