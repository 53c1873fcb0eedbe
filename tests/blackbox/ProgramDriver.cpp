#include "ProgramDriver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/common/OpenDialogs.h"
#include "tests/common/ProgramProcess.h"

namespace quillfen::blackbox {

using testsupport::KeyInput;

namespace {

void Send(std::vector<INPUT> inputs) {
    testsupport::SendKeys(std::move(inputs));
    Settle(60);
}

}  // namespace

void Settle(DWORD ms) { ::Sleep(ms); }

ProgramDriver::ProgramDriver(int showCommand) {
    wchar_t exe[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"QUILLFEN_EXE", exe, MAX_PATH)) {
        throw std::runtime_error("QUILLFEN_EXE is not set");
    }
    if (!testsupport::StartProgram(exe, showCommand, process_)) {
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
        testsupport::CloseProgram(process_.hProcess, applicationWindow(), 5000);
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
        std::vector<std::pair<HWND, ULONGLONG>> open;
        for (HWND hwnd : testsupport::TopLevelWindowsOf(self->process_.dwProcessId)) {
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
        if (HWND found = testsupport::TopLevelWindowOf(process_.dwProcessId, className, visibleOnly))
            return found;
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
    const std::vector<HWND> windows = testsupport::TopLevelWindowsOf(process_.dwProcessId);
    for (UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        for (HWND hwnd : windows) {
            DWORD_PTR answer = 0;
            ::SendMessageTimeoutW(hwnd, message, message == WM_ENDSESSION, ENDSESSION_LOGOFF,
                                  SMTO_ABORTIFHUNG, 2000, &answer);
        }
    }
}

std::wstring ProgramDriver::MemoText() const {
    const HWND memo = testsupport::MemoOf(main_);
    return memo ? WindowText(memo) : std::wstring();
}

}  // namespace quillfen::blackbox
