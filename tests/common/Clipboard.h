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

// The clipboard's text in one format, "" when it holds none, "<clipboard busy>" when it
// cannot be opened.
template <typename Char>
std::basic_string<Char> ClipboardTextAs(UINT format) {
    if (!OpenClipboardSoon()) {
        const char busy[] = "<clipboard busy>";
        return std::basic_string<Char>(busy, busy + sizeof busy - 1);
    }
    std::basic_string<Char> text;
    if (HANDLE data = ::GetClipboardData(format)) {
        if (const auto* p = static_cast<const Char*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}
inline std::wstring ClipboardText() { return ClipboardTextAs<wchar_t>(CF_UNICODETEXT); }
// The text as a program reading CF_TEXT gets it, in the system code page.
inline std::string ClipboardAnsiText() { return ClipboardTextAs<char>(CF_TEXT); }

}  // namespace quillfen::testsupport
