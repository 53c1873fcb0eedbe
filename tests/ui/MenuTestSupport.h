// Helpers for the menu bar and About box tests: a sound log that also drives the
// drop-down's own loop, and finding the open drop-down.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Capture.h"
#include "Input.h"
#include "tests/common/Clipboard.h"
#include "ui/framework/Application.h"

namespace quillfen::testing {

using testsupport::ClipboardAnsiText;
using testsupport::ClipboardText;

// Records every sound request through the sound seam for its lifetime. Each drop-down
// that opens runs the next queued step from inside its menu loop, after the loop's own
// first key.
class SoundLog {
public:
    SoundLog();
    ~SoundLog();
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;

    // "stop" for a stop request, otherwise the sound's name.
    std::vector<std::wstring> Calls() const;
    std::vector<DWORD> Flags() const;
    void Clear();

    // Queues a step for the next drop-down that opens.
    void OnDropDown(std::function<void()> step);
    // Runs once, at the moment the next "MenuCommand" sound is requested.
    void OnCommandSound(std::function<void()> step);
};

// The position of the highlighted item of a drop-down, -1 when none.
int HighlightedItem(HMENU menu);

// The visible drop-down window, null when none is open.
HWND OpenDropDownWindow();

}  // namespace quillfen::testing
