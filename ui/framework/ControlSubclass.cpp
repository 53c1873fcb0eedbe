// The form's hold on its standard controls: their keys, focus and clicks reach the
// form's handlers before the control's own procedure.
#include "ui/framework/Form.h"

#include <commctrl.h>

#include <optional>

#include "ui/framework/FormControls.h"
#include "ui/win32/Accessibility.h"
#include "ui/win32/ChildWindows.h"
#include "ui/win32/ErrorBoundary.h"
#include "ui/win32/LiveRegion.h"

namespace quillfen {

namespace {

// Group boxes and panels parent controls but do not pass their notifications on, and
// a group box leaves its inside unpainted.
std::optional<LRESULT> ContainerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(hwnd, &r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return ForwardToForm(hwnd, message, wParam, lParam);
    }
}

}  // namespace

// Standard controls are subclassed through their window procedure, with the control in
// GWLP_USERDATA: Wine keeps SetWindowSubclass's data in a window property, and reading
// it on every message is a server round trip (hundreds of them while the form first
// paints). Windows of our own classes hold their object in GWLP_USERDATA already and
// keep the common-controls subclass.
void Form::Subclass(Control& control) {
    if (control.ownClass) {
        ::SetWindowSubclass(control.hwnd, &Form::OwnClassProc, 1,
                            reinterpret_cast<DWORD_PTR>(&control));
        return;
    }
    ::SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::ControlProc)));
}

LRESULT CALLBACK Form::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!control) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return Guarded(
        0, [&] { return control->form->ControlMessage(*control, message, wParam, lParam); });
}

LRESULT CALLBACK Form::OwnClassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* control = reinterpret_cast<Control*>(data);
    return Guarded(
        0, [&] { return control->form->ControlMessage(*control, message, wParam, lParam); });
}

LRESULT Form::CallOriginal(const Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (control.ownClass) return ::DefSubclassProc(control.hwnd, message, wParam, lParam);
    return ::CallWindowProcW(control.original, control.hwnd, message, wParam, lParam);
}

LRESULT Form::ControlMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND h = control.hwnd;
    const ControlKind kind = control.description.kind;
    if (kind == ControlKind::GroupBox || kind == ControlKind::Panel) {
        if (const auto result = ContainerMessage(h, message, wParam, lParam)) return *result;
    }
    switch (message) {
        case WM_SYSKEYDOWN:
            // Alt+Enter is Enter to the key handlers, as Shift+Enter and Ctrl+Enter are; the
            // platform sends it as a system key, which would otherwise pass them by.
            if (wParam != VK_RETURN) break;
            [[fallthrough]];
        case WM_KEYDOWN:
            if (control.onKeyDown) {
                WORD key = static_cast<WORD>(wParam);
                control.onKeyDown(h, key, CurrentShiftState());
                if (key == 0) return 0;
                wParam = key;
            }
            break;
        case WM_SYSCHAR:
            // The character of that Alt+Enter would look for a menu item named by it, find
            // none and beep.
            if (wParam == L'\r' && control.onKeyDown) return 0;
            break;
        case WM_GETOBJECT:
            // A screen reader waits inside this call: a failure answers 0, which leaves the
            // question to the system's object, and shows nothing.
            if (!control.accessibleName.empty() && AsksForClientObject(lParam)) {
                const LRESULT answer = Quietly(0, [&] {
                    AccessibleFacts facts{control.accessibleName, 0, {}};
                    return control.description.liveRegion
                               ? AnswerForLiveRegion(h, wParam, std::move(facts))
                               : AnswerWithFacts(h, wParam, std::move(facts));
                });
                if (answer) return answer;
            }
            break;
        case WM_CHAR:
            if (control.onKeyPress) {
                wchar_t key = static_cast<wchar_t>(wParam);
                control.onKeyPress(h, key);
                if (key == 0) return 0;
                wParam = key;
            }
            break;
        case WM_LBUTTONDOWN: {
            control.focusByClick = true;
            const LRESULT r = CallOriginal(control, message, wParam, lParam);
            control.focusByClick = false;
            return r;
        }
        case WM_SETFOCUS: {
            const LRESULT r = CallOriginal(control, message, wParam, lParam);
            activeControl_ = h;
            if (kind == ControlKind::LabeledEdit && !control.focusByClick) {
                ::SendMessageW(h, EM_SETSEL, 0, -1);
            }
            return r;
        }
        case WM_NCDESTROY:
            if (control.ownClass) {
                ::RemoveWindowSubclass(h, &Form::OwnClassProc, 1);
                break;
            }
            ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control.original));
            ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            return ::CallWindowProcW(control.original, h, message, wParam, lParam);
        default:
            break;
    }
    return CallOriginal(control, message, wParam, lParam);
}

}  // namespace quillfen
