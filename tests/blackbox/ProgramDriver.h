// Starts the real program as a separate process and drives it through its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/common/ProgramProcess.h"

namespace quillfen::blackbox {

class ProgramDriver {
public:
    // Starts the program named by QUILLFEN_EXE, with a launch show command when given,
    // and waits for its main window (for a minimised launch: for its taskbar window).
    explicit ProgramDriver(int showCommand = -1);
    ~ProgramDriver();

    HWND mainWindow() const { return main_; }
    // The zero-size window that carries the taskbar entry.
    HWND applicationWindow() const;
    DWORD processId() const { return process_.dwProcessId; }

    // Finds a top-level window of the program by class name, waiting up to `ms`.
    HWND WaitForWindow(const wchar_t* className, DWORD ms = 10000, bool visibleOnly = true) const;
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD ms = 10000) const;

    // Real keyboard input (SendInput) to the foreground window.
    void Key(WORD vk, bool shift = false) const;
    void AltKey(WORD vk) const;
    void Type(const std::string& ascii) const;

    // Ends the user's session as the system does: asks every top-level window of the
    // program, then tells each that the session ends.
    void EndSession() const;

    // The text of the first multi-line edit (the result memo) of the main window.
    std::wstring MemoText() const;

private:
    // Closes a modal window of the program that stays up longer than a test's steps take
    // and notes its title and text; the destructor fails the test with them.
    void StartGuard();
    static DWORD WINAPI GuardDialogs(void* self);

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    HANDLE stopGuard_ = nullptr;
    HANDLE guard_ = nullptr;
    std::vector<std::string> forgottenDialogs_;  // written by the guard until it stops
};

using testsupport::WindowText;
// Runs a message-free wait so the target has time to handle what was sent.
void Settle(DWORD ms = 150);

}  // namespace quillfen::blackbox
