#include "Input.h"

#include <gtest/gtest.h>

#include <deque>

#include "ui/win32/Handles.h"

namespace quillfen::testing {

namespace {

LPARAM KeyLParam(WORD vk, bool up) {
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM l = 1 | (static_cast<LPARAM>(scan) << 16);
    if (up) l |= (1u << 30) | (1u << 31);
    return l;
}

void DeliverOnly(TApplication& app, HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{target, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    app.DispatchOne(msg);
}

void Deliver(TApplication& app, HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    DeliverOnly(app, target, message, wParam, lParam);
    Pump(app);
}

std::deque<std::function<void()>> g_soon;

LRESULT CALLBACK SoonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP || g_soon.empty()) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const std::function<void()> step = std::move(g_soon.front());
    g_soon.pop_front();
    try {
        step();
    } catch (...) {
        ADD_FAILURE() << "a step run from the loop threw";
    }
    return 0;
}

// A message-only window whose posted messages run the queued steps.
HWND SoonWindow() {
    static const WindowHandle window = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &SoonProcedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuillfenTestSoon";
        ::RegisterClassW(&wc);
        return WindowHandle(::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, wc.hInstance, nullptr));
    }();
    return window.get();
}

}  // namespace

void Pump(TApplication& app) {
    while (app.ProcessMessage(false)) {
    }
}

void HoldModifiers(bool shift, bool ctrl, bool alt) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    auto set = [&](int vk, bool down) { keys[vk] = down ? 0x80 : 0; };
    set(VK_SHIFT, shift);
    set(VK_LSHIFT, shift);
    set(VK_CONTROL, ctrl);
    set(VK_LCONTROL, ctrl);
    set(VK_MENU, alt);
    set(VK_LMENU, alt);
    ::SetKeyboardState(keys);
}

void PressKey(TApplication& app, WORD vk, bool shift, bool ctrl, bool alt) {
    HoldModifiers(shift, ctrl, alt);
    const HWND focus = ::GetFocus();
    const LPARAM context = alt ? (1 << 29) : 0;
    Deliver(app, focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyLParam(vk, false) | context);
    Deliver(app, ::GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(vk, true) | context);
    HoldModifiers(false, false, false);
}

void PressAlt(TApplication& app, wchar_t letter) {
    HoldModifiers(false, false, true);
    const WORD vk = static_cast<WORD>(::towupper(letter));
    const HWND focus = ::GetFocus();
    Deliver(app, focus, WM_SYSKEYDOWN, vk, KeyLParam(vk, false) | (1 << 29));
    Deliver(app, ::GetFocus(), WM_SYSKEYUP, vk, KeyLParam(vk, true) | (1 << 29));
    HoldModifiers(false, false, false);
}

void PressKeyInLoop(TApplication& app, WORD vk, bool shift, bool ctrl, bool alt) {
    HoldModifiers(shift, ctrl, alt);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM context = alt ? (1 << 29) : 0;
    DeliverOnly(app, ::GetFocus(), down, vk, KeyLParam(vk, false) | context);
    DeliverOnly(app, ::GetFocus(), up, vk, KeyLParam(vk, true) | context);
    HoldModifiers(false, false, false);
}

void RunSoon(std::function<void()> step) {
    g_soon.push_back(std::move(step));
    ::PostMessageW(SoonWindow(), WM_APP, 0, 0);
}

void TypeChar(TApplication& app, wchar_t ch) {
    const HWND focus = ::GetFocus();
    Deliver(app, focus, WM_CHAR, ch, 1);
}

void TypeText(TApplication& app, const std::wstring& text) {
    for (wchar_t ch : text) TypeChar(app, ch);
}

void Click(TApplication& app, HWND control, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    Deliver(app, control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Deliver(app, control, WM_LBUTTONUP, 0, at);
}

void PostKey(WORD vk) {
    const HWND target = ::GetFocus();
    ::PostMessageW(target, WM_KEYDOWN, vk, KeyLParam(vk, false));
    ::PostMessageW(target, WM_KEYUP, vk, KeyLParam(vk, true));
}

void PostChar(wchar_t ch) { ::PostMessageW(::GetFocus(), WM_CHAR, ch, 1); }

}  // namespace quillfen::testing
