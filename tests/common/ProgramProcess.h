// Driving the real program as a process of its own, from outside: starting it, finding
// its windows, typing into it and closing it. Shared by the black-box tests and the
// start-up benchmark, so both start and watch the program the same way.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace quillfen::testsupport {

// Starts `exe` with a launch show command when one is given (-1: none).
inline bool StartProgram(const std::wstring& exe, int showCommand, PROCESS_INFORMATION& process) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::wstring command = L"\"" + exe + L"\"";
    return ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process) != FALSE;
}

// What the enumerations below look for; named procedures, since the 32-bit platform
// calls them with its own calling convention.
struct TopLevelSearch {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

inline BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<TopLevelSearch*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    if (pid != s->processId || (s->className && std::wcscmp(name, s->className) != 0) ||
        (s->visibleOnly && (!::IsWindowVisible(hwnd) || r.right <= r.left))) {
        return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}

using WindowsOfProcess = std::pair<DWORD, std::vector<HWND>>;

inline BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM p) {
    auto* found = reinterpret_cast<WindowsOfProcess*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->first) found->second.push_back(hwnd);
    return TRUE;
}

inline BOOL CALLBACK FindMemo(HWND hwnd, LPARAM p) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (_wcsicmp(name, L"Edit") != 0 || !(::GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(p) = hwnd;
    return FALSE;
}

// A top-level window of the process: of the class when one is named, visible (and not of
// zero width) when asked. nullptr when there is none.
inline HWND TopLevelWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
    TopLevelSearch search{processId, className, visibleOnly, nullptr};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every top-level window of the process.
inline std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    WindowsOfProcess windows{processId, {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.second;
}

// The first multi-line edit among a window's children (the main window's result memo).
inline HWND MemoOf(HWND window) {
    HWND memo = nullptr;
    ::EnumChildWindows(window, FindMemo, reinterpret_cast<LPARAM>(&memo));
    return memo;
}

inline std::wstring WindowText(HWND hwnd) {
    const auto n = ::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    ::SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                   reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<size_t>(n));
}

inline INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

// Real keyboard input to the foreground window; returns at once.
inline void SendKeys(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Asks the program to close through one of its windows and waits up to `ms` for it to
// end; after that it is ended by force, with exit code 1.
inline void CloseProgram(HANDLE process, HWND window, DWORD ms) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process, ms) != WAIT_OBJECT_0) ::TerminateProcess(process, 1);
}

}  // namespace quillfen::testsupport
