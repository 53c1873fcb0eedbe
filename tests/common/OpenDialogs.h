// Recognising the program's modal windows from a test, and saying what one shows, for
// the guards that close a dialog no test step is waiting for.
#pragma once

#include <windows.h>

#include <string>

namespace quillfen::testsupport {

// How long a modal window may stay up before a guard takes it for unexpected.
constexpr DWORD kForgottenDialogMs = 4000;

inline std::wstring ClassNameOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

// The About box, a message dialog or a system message box.
inline bool IsModalDialog(HWND hwnd) {
    const std::wstring name = ClassNameOf(hwnd);
    return name == L"TMessageForm" || name == L"TAboutBox" || name == L"#32770";
}

inline std::wstring TextOfWindow(HWND hwnd) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          1000, &copied);
    return text;
}

inline BOOL CALLBACK CollectChildText(HWND child, LPARAM p) {
    const std::wstring text = TextOfWindow(child);
    if (!text.empty()) *reinterpret_cast<std::wstring*>(p) += L" [" + text + L"]";
    return TRUE;
}

// UTF-8 for a failure message: the title, then the text of every child that has one.
inline std::string DescribeDialog(HWND hwnd) {
    std::wstring all = L"\"" + TextOfWindow(hwnd) + L"\":";
    ::EnumChildWindows(hwnd, CollectChildText, reinterpret_cast<LPARAM>(&all));
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, all.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, all.c_str(), -1, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

inline BOOL CALLBACK PressFirstButton(HWND child, LPARAM) {
    if (_wcsicmp(ClassNameOf(child).c_str(), L"Button") != 0) return TRUE;
    ::PostMessageW(child, BM_CLICK, 0, 0);
    return FALSE;
}

// A system message box may ignore a posted close; its button never does.
inline void CloseDialog(HWND hwnd) {
    if (ClassNameOf(hwnd) == L"#32770") {
        ::EnumChildWindows(hwnd, PressFirstButton, 0);
    } else {
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
}

}  // namespace quillfen::testsupport
