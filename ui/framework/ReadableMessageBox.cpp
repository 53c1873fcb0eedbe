#include "ui/framework/ReadableMessageBox.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/win32/CoveringFont.h"
#include "ui/win32/ErrorBoundary.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Text.h"

namespace quillfen {

namespace {

constexpr int kTextId = 0xFFFF;  // the box's message label
constexpr UINT_PTR kSubclassId = 1;

struct BoxRequest {
    std::wstring_view text;
    const FontDescription& fallback;
    HWND box = nullptr;
    // Set on the label; the box does not own it, so it lives here until the box is gone.
    FontHandle font;
};

// The box being made on this thread; a box raised while another is up has its own.
thread_local BoxRequest* t_request = nullptr;

RECT RectInBox(HWND box, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveBy(HWND window, const RECT& r, int dx, int dy, int growX = 0, int growY = 0) {
    ::SetWindowPos(window, nullptr, r.left + dx, r.top + dy, r.right - r.left + growX,
                   r.bottom - r.top + growY, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box has laid itself out for its own font: the label gets the covering font and
// grows to the text measured in it; what stands below it (the buttons) moves down, and
// the box grows around both, keeping its centre.
void SetCoveringFont(HWND box, BoxRequest& request) {
    const HWND label = ::GetDlgItem(box, kTextId);
    const auto own = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
    if (!label || !own || FontCovers(own, request.text)) return;
    LOGFONTW ownFont{};
    if (!::GetObjectW(own, sizeof ownFont, &ownFont)) return;
    request.font = FontCoveringText(ownFont, request.text, request.fallback);
    if (!request.font) return;
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(request.font.get()), TRUE);

    const RECT text = RectInBox(box, label);
    const SIZE need = MeasureText(request.font.get(), request.text, text.right - text.left,
                                  DT_EXPANDTABS | DT_NOPREFIX);
    const int growX = static_cast<int>(std::max(0L, need.cx - (text.right - text.left)));
    const int growY = static_cast<int>(std::max(0L, need.cy - (text.bottom - text.top)));
    if (growX == 0 && growY == 0) return;
    struct Child {
        HWND hwnd;
        RECT at;
    };
    std::vector<Child> below;
    LONG blockBottom = text.bottom;
    for (HWND h = ::GetWindow(box, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const RECT r = RectInBox(box, h);
        if (h != label && r.top >= text.bottom) {
            below.push_back({h, r});
        } else {
            blockBottom = std::max(blockBottom, r.bottom);
        }
    }
    const int moveDown = static_cast<int>(std::max(0L, text.bottom + growY - blockBottom));
    MoveBy(label, text, 0, 0, growX, growY);
    for (const Child& c : below) MoveBy(c.hwnd, c.at, growX / 2, moveDown);
    RECT frame{};
    ::GetWindowRect(box, &frame);
    MoveBy(box, frame, -growX / 2, -moveDown / 2, growX, moveDown);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR data) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &BoxProc, kSubclassId);
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    // With per-monitor awareness the dialog manager gives every control a font of the new
    // density on WM_DPICHANGED, the label too, which then gets its covering font again.
    if (message == WM_INITDIALOG || message == WM_DPICHANGED) {
        Guarded([&] { SetCoveringFont(hwnd, *reinterpret_cast<BoxRequest*>(data)); });
    }
    return result;
}

// The box's first window on this thread is the box itself; its procedure is subclassed
// before it lays itself out in WM_INITDIALOG.
LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    Guarded([&] {
        BoxRequest* request = t_request;
        if (code != HCBT_CREATEWND || !request || request->box) return;
        const auto hwnd = reinterpret_cast<HWND>(wParam);
        wchar_t name[8] = {};
        ::GetClassNameW(hwnd, name, 8);
        if (std::wstring_view(name) != L"#32770") return;
        request->box = hwnd;
        ::SetWindowSubclass(hwnd, &BoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(request));
    });
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int ShowReadableMessageBox(HWND owner, std::wstring_view text, std::wstring_view title, UINT type,
                           const FontDescription& fallback) {
    const WideString shown(text), caption(title);
    if (!fallback.face) return ::MessageBoxW(owner, shown.c_str(), caption.c_str(), type);
    BoxRequest request{shown, fallback, nullptr, {}};
    BoxRequest* const outer = std::exchange(t_request, &request);
    int result = 0;
    {
        const HookHandle hook(
            ::SetWindowsHookExW(WH_CBT, &WatchCreation, nullptr, ::GetCurrentThreadId()));
        result = ::MessageBoxW(owner, shown.c_str(), caption.c_str(), type);
    }
    t_request = outer;
    return result;
}

}  // namespace quillfen
