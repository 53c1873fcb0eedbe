#include "ProgramDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/common/OpenDialogs.h"

namespace quillfen::blackbox {

namespace {

struct Search {
    DWORD pid;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (pid == s->pid && wcscmp(name, s->className) == 0 &&
        (!s->visibleOnly || ::IsWindowVisible(hwnd))) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMemo(HWND hwnd, LPARAM p) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (_wcsicmp(name, L"Edit") == 0 && (::GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE)) {
        *reinterpret_cast<HWND*>(p) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM p) {
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->first) found->second.push_back(hwnd);
    return TRUE;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void Send(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle(60);
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    const auto n = ::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    ::SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                   reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<size_t>(n));
}

void Settle(DWORD ms) { ::Sleep(ms); }

ProgramDriver::ProgramDriver(int showCommand) {
    wchar_t exe[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"QUILLFEN_EXE", exe, MAX_PATH)) {
        throw std::runtime_error("QUILLFEN_EXE is not set");
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::wstring command = L"\"" + std::wstring(exe) + L"\"";
    if (!::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process_)) {
        throw std::runtime_error("cannot start the program");
    }
    ::WaitForInputIdle(process_.hProcess, 10000);
    if (showCommand == SW_SHOWMINNOACTIVE) {
        if (!WaitForWindow(L"TApplication", 10000, false))
            throw std::runtime_error("no taskbar window");
        Settle(500);
        StartGuard();
        return;
    }
    main_ = WaitForWindow(L"TForm1");
    if (!main_) throw std::runtime_error("the main window did not appear");
    ::SetForegroundWindow(main_);
    Settle(300);
    StartGuard();
}

// Only once the constructor cannot throw any more: the guard reads this object.
void ProgramDriver::StartGuard() {
    stopGuard_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    guard_ = ::CreateThread(nullptr, 0, &ProgramDriver::GuardDialogs, this, 0, nullptr);
}

HWND ProgramDriver::applicationWindow() const { return WaitForWindow(L"TApplication", 0, false); }

ProgramDriver::~ProgramDriver() {
    if (WaitForExit(0) == STILL_ACTIVE) {
        ::PostMessageW(applicationWindow(), WM_CLOSE, 0, 0);
        if (WaitForExit(5000) == STILL_ACTIVE) ::TerminateProcess(process_.hProcess, 1);
    }
    ::SetEvent(stopGuard_);
    ::WaitForSingleObject(guard_, INFINITE);
    ::CloseHandle(guard_);
    ::CloseHandle(stopGuard_);
    for (const std::string& dialog : forgottenDialogs_) {
        ADD_FAILURE() << "an unexpected dialog of the program was closed: " << dialog;
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

DWORD WINAPI ProgramDriver::GuardDialogs(void* p) {
    auto* self = static_cast<ProgramDriver*>(p);
    std::vector<std::pair<HWND, ULONGLONG>> seen;  // each open dialog and when it is due
    while (::WaitForSingleObject(self->stopGuard_, 100) == WAIT_TIMEOUT) {
        std::pair<DWORD, std::vector<HWND>> windows{self->process_.dwProcessId, {}};
        ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
        std::vector<std::pair<HWND, ULONGLONG>> open;
        for (HWND hwnd : windows.second) {
            if (!::IsWindowVisible(hwnd) || !testsupport::IsModalDialog(hwnd)) continue;
            ULONGLONG due = ::GetTickCount64() + testsupport::kForgottenDialogMs;
            for (const auto& s : seen) due = s.first == hwnd ? s.second : due;
            if (::GetTickCount64() < due) {
                open.emplace_back(hwnd, due);
                continue;
            }
            self->forgottenDialogs_.push_back(testsupport::DescribeDialog(hwnd));
            testsupport::CloseDialog(hwnd);
        }
        seen = std::move(open);
    }
    return 0;
}

HWND ProgramDriver::WaitForWindow(const wchar_t* className, DWORD ms, bool visibleOnly) const {
    const ULONGLONG deadline = ::GetTickCount64() + ms;
    do {
        Search s{process_.dwProcessId, className, visibleOnly, nullptr};
        ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        Settle(50);
    } while (::GetTickCount64() < deadline);
    return nullptr;
}

DWORD ProgramDriver::WaitForExit(DWORD ms) const {
    if (::WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void ProgramDriver::Key(WORD vk, bool shift) const {
    std::vector<INPUT> in;
    if (shift) in.push_back(KeyInput(VK_SHIFT, false));
    in.push_back(KeyInput(vk, false));
    in.push_back(KeyInput(vk, true));
    if (shift) in.push_back(KeyInput(VK_SHIFT, true));
    Send(in);
}

void ProgramDriver::AltKey(WORD vk) const {
    Send({KeyInput(VK_MENU, false), KeyInput(vk, false), KeyInput(vk, true),
          KeyInput(VK_MENU, true)});
}

void ProgramDriver::Type(const std::string& ascii) const {
    for (char c : ascii) {
        const SHORT scan = ::VkKeyScanW(static_cast<wchar_t>(c));
        Key(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
    }
}

void ProgramDriver::EndSession() const {
    std::pair<DWORD, std::vector<HWND>> windows{process_.dwProcessId, {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    for (UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        for (HWND hwnd : windows.second) {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutW(hwnd, message, message == WM_ENDSESSION, ENDSESSION_LOGOFF,
                                  SMTO_ABORTIFHUNG, 2000, &answer);
        }
    }
}

std::wstring ProgramDriver::MemoText() const {
    HWND memo = nullptr;
    ::EnumChildWindows(main_, FindMemo, reinterpret_cast<LPARAM>(&memo));
    return memo ? WindowText(memo) : std::wstring();
}

}  // namespace quillfen::blackbox
