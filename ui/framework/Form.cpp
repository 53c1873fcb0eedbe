#include "ui/framework/Form.h"

#include <algorithm>

#include "ui/framework/Application.h"
#include "ui/framework/FormControls.h"
#include "ui/win32/Accessibility.h"
#include "ui/win32/DisplayMetrics.h"
#include "ui/win32/ErrorBoundary.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Mnemonic.h"

namespace quillfen {

ShiftState CurrentShiftState() noexcept {
    return {::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_MENU) < 0};
}

Form::Form(TApplication& application) : application_(application) {}

Form::~Form() = default;

const Control* Form::FindControl(std::string_view name) const noexcept {
    for (const auto& c : controls_) {
        if (c->description.name == name) return c.get();
    }
    return nullptr;
}

Control* Form::FindControl(HWND h) noexcept {
    for (const auto& c : controls_) {
        if (c->hwnd == h) return c.get();
    }
    return nullptr;
}

HWND Form::ControlHandle(std::string_view name) const noexcept {
    const Control* c = FindControl(name);
    return c ? c->hwnd : nullptr;
}

void Form::FocusControl(HWND control) {
    if (!control) return;
    ::SetFocus(control);
}

POINT Form::CentredPosition(int width, int height) const {
    if (position_ == FormPosition::DesktopCenter) {
        return {CentredOrigin(::GetSystemMetrics(SM_CXVIRTUALSCREEN), width),
                CentredOrigin(::GetSystemMetrics(SM_CYVIRTUALSCREEN), height)};
    }
    POINT at{CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), width),
             CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), height)};
    const HWND active = ::GetActiveWindow();
    const HMONITOR primary = ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const HMONITOR monitor =
        active ? ::MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) : primary;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != primary && ::GetMonitorInfoW(monitor, &info)) {
        at.x =
            info.rcMonitor.left + CentredOrigin(info.rcMonitor.right - info.rcMonitor.left, width);
        at.y =
            info.rcMonitor.top + CentredOrigin(info.rcMonitor.bottom - info.rcMonitor.top, height);
    }
    return at;
}

void Form::Centre() {
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const POINT at = CentredPosition(r.right - r.left, r.bottom - r.top);
    // Usually the window was created there already, and a move costs server round trips.
    if (at.x == r.left && at.y == r.top) return;
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show() {
    if (!shownOnce_) {
        shownOnce_ = true;
        // A window built hidden may open on a monitor of another density than the one it was
        // laid out for (its owner has moved there since): the move there may lay it out
        // again, at the system's rectangle, or it is laid out here; either way it opens
        // centred at the size it has there.
        const int builtAt = pixelsPerInch_;
        Centre();
        const int monitor = WindowPixelsPerInch(hwnd());
        if (monitor != pixelsPerInch_) {
            TakeDensity(monitor, nullptr);
        } else if (pixelsPerInch_ != builtAt) {
            Centre();
        }
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
}

void Form::Close() { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

HWND Form::NextTabStop(HWND from, bool forward) const {
    if (tabStops_.empty()) return nullptr;
    auto it = std::find(tabStops_.begin(), tabStops_.end(), from);
    const auto count = static_cast<long>(tabStops_.size());
    long index = it == tabStops_.end() ? (forward ? -1 : 0) : it - tabStops_.begin();
    for (long step = 0; step < count; ++step) {
        index = (index + (forward ? 1 : count - 1)) % count;
        const HWND candidate = tabStops_[static_cast<size_t>(index)];
        if (::IsWindowVisible(candidate) && ::IsWindowEnabled(candidate)) return candidate;
    }
    return nullptr;
}

void Form::ClickControl(Control& control) {
    if (control.description.modalResult) modalResult_ = control.description.modalResult;
    if (control.onClick) control.onClick(control.hwnd);
}

bool Form::HandleMnemonic(wchar_t letter) {
    const wchar_t upper = UpperLocale(letter);
    for (const auto& c : controls_) {
        if (c->mnemonic != upper || !::IsWindowVisible(c->hwnd) || !::IsWindowEnabled(c->hwnd)) {
            continue;
        }
        if (IsButton(c->description.kind)) {
            ClickControl(*c);
            return true;
        }
    }
    return false;
}

bool Form::HandleDialogKey(const MSG& msg, Control* control) {
    const ShiftState shift = CurrentShiftState();
    switch (msg.wParam) {
        case VK_TAB:
            if (shift.ctrl || shift.alt) return false;
            FocusControl(NextTabStop(::GetFocus(), !shift.shift));
            return true;
        case VK_RETURN:
            if (shift.shift || shift.ctrl || shift.alt) return false;
            if (control && IsButton(control->description.kind)) {
                ClickControl(*control);
                return true;
            }
            if (control && control->description.kind == ControlKind::Memo) return false;
            for (const auto& c : controls_) {
                if (c->description.defaultButton && ::IsWindowEnabled(c->hwnd)) {
                    ClickControl(*c);
                    return true;
                }
            }
            return false;
        case VK_ESCAPE:
            for (const auto& c : controls_) {
                if (c->description.cancelButton && ::IsWindowEnabled(c->hwnd)) {
                    ClickControl(*c);
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

bool Form::PreTranslateKey(const MSG& msg) {
    Control* control = FindControl(msg.hwnd);
    if (!control && msg.hwnd != hwnd()) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
            return HandleDialogKey(msg, control);
        case WM_SYSCHAR:
            return HandleMnemonic(static_cast<wchar_t>(msg.wParam));
        default:
            return false;
    }
}

void Form::RememberFocus() {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd(), focus)) activeControl_ = focus;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                RememberFocus();
                return 0;
            }
            if (!activeControl_ || !::IsWindow(activeControl_)) {
                activeControl_ = NextTabStop(nullptr, true);
            }
            if (HIWORD(wParam) == 0) FocusControl(activeControl_);
            Activated();
            return 0;
        case WM_SETFOCUS:
            if (activeControl_ && ::IsWindow(activeControl_)) FocusControl(activeControl_);
            return 0;
        case WM_CLOSE:
            if (modal_) {
                modalResult_ = IDCANCEL;
            } else if (application_.MainForm() == this) {
                application_.Terminate();
            } else {
                ::ShowWindow(hwnd(), SW_HIDE);
            }
            return 0;
        case WM_COMMAND:
            if (Control* c = FindControl(reinterpret_cast<HWND>(lParam))) {
                if (HIWORD(wParam) == BN_CLICKED && IsButton(c->description.kind)) ClickControl(*c);
                if (HIWORD(wParam) == EN_CHANGE && c->onChange) c->onChange(c->hwnd);
                return 0;
            }
            break;
        case WM_GETOBJECT:
            // A dialog frame makes a dialog for screen readers too, titled by its caption.
            // A failure answers 0 and shows nothing: a screen reader waits inside this call.
            if (border_ == FormBorder::Dialog && AsksForClientObject(lParam)) {
                const LRESULT answer = Quietly(0, [&] {
                    return AnswerWithFacts(hwnd(), wParam,
                                           {Widen(GetWindowTextUtf8(hwnd())), ROLE_SYSTEM_DIALOG,
                                            AccessibleDescription()});
                });
                if (answer) return answer;
            }
            break;
        case kGetDpiScaledSize:
            // Asked before WM_DPICHANGED, whose rectangle then has this size.
            *reinterpret_cast<SIZE*>(lParam) = WindowSizeAtDensity(static_cast<int>(wParam));
            return TRUE;
        case WM_DPICHANGED:
            TakeDensity(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DRAWITEM:
            if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            // Button-face text: a high-contrast scheme pairs it with the face behind the label.
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
            // Labels stand on button-face parents (the form, the group box, the panel), so
            // filling with that colour looks the same as drawing no background at all.
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace quillfen
