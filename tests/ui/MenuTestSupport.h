// Helpers for the menu bar and About box tests: a sound log that also drives the
// drop-down's own loop, clipboard reading and pixel capture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/framework/Application.h"
#include "tests/common/Clipboard.h"
#include "ui/win32/Handles.h"

namespace quillfen::testing {

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

// Posts a key to the drop-down's loop (down and up), or a typed character.
void PostKey(WORD vk);
void PostChar(wchar_t ch);

// The position of the highlighted item of a drop-down, -1 when none.
int HighlightedItem(HMENU menu);

// The text on the clipboard, "" when it holds none; retries while another holds it.
using testsupport::ClipboardText;
std::string ClipboardAnsiText();
void SetClipboardText(const std::wstring& text);

// A 32-bit top-down image that a window prints its client area into.
class Capture {
public:
    Capture(int width, int height);
    HDC dc() const noexcept { return dc_.get(); }
    COLORREF Pixel(int x, int y) const;
    static Capture OfClient(HWND hwnd);

private:
    int width_, height_;
    BitmapHandle bitmap_;  // declared first: outlives the DC it is selected into
    MemoryDc dc_;
    DWORD* bits_ = nullptr;
};

// The visible drop-down window, null when none is open.
HWND OpenDropDownWindow();

}  // namespace quillfen::testing
