// Modal showing: the other windows of the thread disabled while a modal window is up, and
// the quit request carried through the nested loops that would drop it.
#pragma once

#include <windows.h>

#include <vector>

namespace quillfen {

// Disables every visible, enabled top-level window of this thread but one, for the
// lifetime of a modal window, and enables them again afterwards.
class ThreadWindowsDisabled {
public:
    explicit ThreadWindowsDisabled(HWND except);
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;
    ~ThreadWindowsDisabled();

private:
    static BOOL CALLBACK Collect(HWND hwnd, LPARAM self);
    HWND except_;
    std::vector<HWND> disabled_;
};

// Asks the thread's loops to end: posts the quit message, and ends an open menu, whose
// loop would otherwise keep running.
void RequestQuit() noexcept;

// A quit request waits in the thread's queue: the program is ending, and a nested loop
// started now would take that request for its own.
bool QuitPending() noexcept;

// Held around a nested loop of the platform's (a popup menu's): that loop takes a quit
// message for its own and drops it, so a quit requested while it ran is posted again once
// it has returned, for the loops outside to end as well.
class QuitRequestKeeper {
public:
    QuitRequestKeeper() noexcept;
    QuitRequestKeeper(const QuitRequestKeeper&) = delete;
    QuitRequestKeeper& operator=(const QuitRequestKeeper&) = delete;
    ~QuitRequestKeeper();

private:
    unsigned requestsBefore_;
};

}  // namespace quillfen
