// Reading the clipboard from a test, which may have to wait while another process
// (the program under test, or Wine's clipboard bridge) holds it for a moment.
#pragma once

#include <windows.h>

#include <string>

namespace quillfen::testsupport {

inline bool OpenClipboardSoon() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::OpenClipboard(nullptr)) return true;
        ::Sleep(20);
    }
    return false;
}

// The clipboard's Unicode text; "<clipboard busy>" when it cannot be opened.
inline std::wstring ClipboardText() {
    if (!OpenClipboardSoon()) return L"<clipboard busy>";
    std::wstring text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace quillfen::testsupport
