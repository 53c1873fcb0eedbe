#include "ui/controls/ControlBar.h"

#include "ui/win32/ChildWindows.h"
#include "ui/win32/Handles.h"

namespace quillfen {

ControlBar::ControlBar(HWND parent, RECT b) {
    Create({L"TControlBar", CS_HREDRAW | CS_VREDRAW}, WS_EX_CONTROLPARENT, L"",
           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, b.left, b.top, b.right - b.left,
           b.bottom - b.top, parent);
}

void ControlBar::Paint() {
    PaintDc paint(hwnd());
    if (!paint.get()) return;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    ::FillRect(paint.get(), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    // The grip: two thin raised bars left of the band, as band containers draw them.
    for (int x : {2, 5}) {
        RECT bar{x, client.top + 2, x + 3, client.bottom - 2};
        ::DrawEdge(paint.get(), &bar, BDR_RAISEDINNER, BF_RECT);
    }
}

LRESULT ControlBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            if (const auto forwarded = ForwardToForm(hwnd(), message, wParam, lParam))
                return *forwarded;
            return Default(message, wParam, lParam);
    }
}

}  // namespace quillfen
