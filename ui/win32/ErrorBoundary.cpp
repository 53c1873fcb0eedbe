#include "ui/win32/ErrorBoundary.h"

namespace quillfen {

namespace {
ExceptionSink g_sink = nullptr;
}

void SetExceptionSink(ExceptionSink sink) noexcept { g_sink = sink; }

void ReportException(std::exception_ptr error) noexcept {
    if (!g_sink) return;
    try {
        g_sink(error);
    } catch (...) {
        // The error display itself failed; there is nothing left to tell the user with.
    }
}

}  // namespace quillfen
