// Helpers for driving the real windows in-process: messages go through the same
// pre-translation and dispatch as in the program's event loop.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/framework/Application.h"
#include "ui/forms/Quillfen2bU.h"

namespace quillfen::testing {

// Handles every message waiting in the queue.
void Pump(TApplication& app);

// Sets the thread's view of the modifier keys (GetKeyState) for the next messages.
void HoldModifiers(bool shift, bool ctrl, bool alt);

// A key press as the keyboard delivers it: key down (translated), then key up; with Alt
// held, as system keys.
void PressKey(TApplication& app, WORD vk, bool shift = false, bool ctrl = false,
              bool alt = false);
// Alt+letter as the keyboard delivers it: system key down, translated to WM_SYSCHAR.
void PressAlt(TApplication& app, wchar_t letter);
// A key press dispatched from inside a running loop (a modal dialog's): like PressKey or
// PressAlt, but the messages it leads to are left to that loop.
void PressKeyInLoop(TApplication& app, WORD vk, bool shift = false, bool ctrl = false,
                    bool alt = false);
// Runs a step from whichever loop is running when its turn comes, in posting order: for
// acting on a modal window once it is up.
void RunSoon(std::function<void()> step);
// Types one character into the focused control (key down, character, key up).
void TypeChar(TApplication& app, wchar_t ch);
void TypeText(TApplication& app, const std::wstring& text);
// A left click at a point of a control's client area.
void Click(TApplication& app, HWND control, int x = 2, int y = 2);

std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);
RECT RectInParent(HWND hwnd);
std::pair<int, int> Selection(HWND edit);

// Watches windows being activated on this thread (message dialogs, message boxes) and
// hands each one to a callback, which may close it.
class ActivationWatch {
public:
    explicit ActivationWatch(std::function<void(HWND)> onActivate);
    ~ActivationWatch();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
};

// From now on a modal window of this thread that stays up longer than a test's steps
// take is closed, and the running test fails with its title and text.
void GuardAgainstForgottenDialogs();

// The six time fields, departure hour to arrival second.
extern const char* const kTimeFields[6];

// A fresh application with its main window shown, as start-up leaves it.
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();
    HWND Control(const char* name) const { return form->ControlHandle(name); }
    // Puts texts into the six time fields, departure hour first.
    void SetTimeFields(const std::array<const wchar_t*, 6>& texts) const;

    std::unique_ptr<TApplication> app;
    TForm1* form = nullptr;
};

}  // namespace quillfen::testing
