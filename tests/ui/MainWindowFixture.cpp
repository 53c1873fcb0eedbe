#include "MainWindowFixture.h"

#include <gtest/gtest.h>

#include <vector>

#include "Input.h"
#include "resources/ResourceIds.h"
#include "tests/common/OpenDialogs.h"
#include "ui/forms/Startup.h"

namespace quillfen::testing {

namespace {
std::function<void(HWND)> g_onActivate;
}  // namespace

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

std::wstring WindowClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::GlyphButton:
        case ControlKind::Button:
            return L"Button";
        case ControlKind::LabeledEdit:
        case ControlKind::Memo:
            return L"Edit";
        case ControlKind::ControlBar:
            return L"TControlBar";
        case ControlKind::MenuBar:
            return L"TActionMainMenuBar";
        case ControlKind::Label:
        case ControlKind::Panel:
        case ControlKind::Image:
            break;
    }
    return L"Static";
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
