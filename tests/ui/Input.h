// Input as the keyboard and mouse deliver it, driven in-process: messages go through the
// same pre-translation and dispatch as in the program's event loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/framework/Application.h"

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
// Posts a key (down and up) or a typed character to the focus, for a loop that is
// running (a drop-down's) to take.
void PostKey(WORD vk);
void PostChar(wchar_t ch);

}  // namespace quillfen::testing
