// The program's one error boundary. No C++ exception may unwind through the platform:
// every window procedure, hook, enumeration callback and deferred step runs its code
// through Guarded, which hands an escaping error to the application's error display.
#pragma once

#include <windows.h>

#include <exception>
#include <type_traits>
#include <utility>

namespace quillfen {

// Where an exception that escaped a handler goes (the application's error display).
using ExceptionSink = void (*)(std::exception_ptr);
void SetExceptionSink(ExceptionSink sink) noexcept;
void ReportException(std::exception_ptr error) noexcept;

// Runs a handler so that no C++ exception crosses into the platform's code; an escaping
// error is reported and `fallback` returned in place of the handler's result.
template <typename F, typename R = std::invoke_result_t<F>>
R Guarded(std::type_identity_t<R> fallback, F&& handler) noexcept {
    try {
        return std::forward<F>(handler)();
    } catch (...) {
        ReportException(std::current_exception());
        return fallback;
    }
}
template <typename F>
void Guarded(F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
    } catch (...) {
        ReportException(std::current_exception());
    }
}

// For code run inside another program's call (a screen reader asking an accessible object
// or sending WM_GETOBJECT): that program waits until the call returns, so no box may be
// shown, and its user could not hear one. An escaping error becomes `failure`, unreported.
template <typename F, typename R = std::invoke_result_t<F>>
R Quietly(std::type_identity_t<R> failure, F&& handler) noexcept {
    try {
        return std::forward<F>(handler)();
    } catch (...) {
        return failure;
    }
}

}  // namespace quillfen
