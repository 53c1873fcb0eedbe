#include "GuiTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/common/OpenDialogs.h"
#include "ui/forms/Startup.h"
#include "ui/win32/Handles.h"

namespace quillfen::testing {

namespace {
std::function<void(HWND)> g_onActivate;

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

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[128] = {};
    ::GetClassNameW(hwnd, name, 128);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    const int n = ::GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1);
    ::GetWindowTextW(hwnd, buffer.data(), n + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(n));
}

RECT RectInParent(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::pair<int, int> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

ActivationWatch::ActivationWatch(std::function<void(HWND)> onActivate)
    : hook_(::SetWindowsHookExW(WH_CBT, &ActivationWatch::Hook, nullptr, ::GetCurrentThreadId())) {
    g_onActivate = std::move(onActivate);
}

ActivationWatch::~ActivationWatch() {
    ::UnhookWindowsHookEx(hook_);
    g_onActivate = nullptr;
}

LRESULT CALLBACK ActivationWatch::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_onActivate) g_onActivate(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {
struct GuardedDialog {
    HWND hwnd;
    ULONGLONG deadline;
};
std::vector<GuardedDialog> g_guarded;
UINT_PTR g_guardTimer = 0;

// Runs from whichever loop is pumping, the modal window's own included.
void CALLBACK CheckGuardedDialogs(HWND, UINT, UINT_PTR, DWORD) {
    const ULONGLONG now = ::GetTickCount64();
    std::vector<GuardedDialog> open;
    for (const GuardedDialog& d : g_guarded) {
        if (!::IsWindow(d.hwnd) || !::IsWindowVisible(d.hwnd)) continue;
        if (now < d.deadline) {
            open.push_back(d);
            continue;
        }
        ADD_FAILURE() << "an unexpected dialog was closed: " << testsupport::DescribeDialog(d.hwnd);
        testsupport::CloseDialog(d.hwnd);
    }
    g_guarded = std::move(open);
    if (g_guarded.empty()) {
        ::KillTimer(nullptr, g_guardTimer);
        g_guardTimer = 0;
    }
}

LRESULT CALLBACK GuardHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto hwnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && testsupport::IsModalDialog(hwnd)) {
        bool known = false;
        for (const GuardedDialog& d : g_guarded) known = known || d.hwnd == hwnd;
        if (!known)
            g_guarded.push_back({hwnd, ::GetTickCount64() + testsupport::kForgottenDialogMs});
        if (!g_guardTimer) g_guardTimer = ::SetTimer(nullptr, 0, 250, &CheckGuardedDialogs);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

void GuardAgainstForgottenDialogs() {
    ::SetWindowsHookExW(WH_CBT, &GuardHook, nullptr, ::GetCurrentThreadId());
}

const char* const kTimeFields[6] = {"LabeledEdit1", "LabeledEdit2", "LabeledEdit3",
                                    "LabeledEdit4", "LabeledEdit5", "LabeledEdit6"};

void MainWindowFixture::SetTimeFields(const std::array<const wchar_t*, 6>& texts) const {
    for (int i = 0; i < 6; ++i) ::SetWindowTextW(Control(kTimeFields[i]), texts[i]);
}

MainWindowFixture::MainWindowFixture()
    : app(std::make_unique<TApplication>(resource::kMainIcon)), form(&BuildMainWindow(*app)) {
    ::ShowWindow(app->hwnd(), SW_SHOWNOACTIVATE);
    form->Show();
    app->RunFirstIdleSteps();
    Pump(*app);
}

MainWindowFixture::~MainWindowFixture() {
    Pump(*app);
    app.reset();
}

}  // namespace quillfen::testing
