// Modal showing: the other windows of the thread disabled while a modal window is up.
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

}  // namespace quillfen
