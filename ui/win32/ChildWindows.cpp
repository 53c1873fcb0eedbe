#include "ui/win32/ChildWindows.h"

namespace quillfen {

HWND CreateChildControl(const wchar_t* windowClass, const wchar_t* text, DWORD style,
                        DWORD exStyle, HWND parent, RECT b) {
    return ::CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, b.left,
                             b.top, b.right - b.left, b.bottom - b.top, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

HWND CreateStatic(HWND parent, const wchar_t* text, DWORD style, RECT bounds) {
    return CreateChildControl(L"STATIC", text, style, 0, parent, bounds);
}

std::optional<LRESULT> ForwardToForm(HWND container, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetAncestor(container, GA_ROOT), message, wParam, lParam);
        default:
            return std::nullopt;
    }
}

}  // namespace quillfen
