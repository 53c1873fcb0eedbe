#include "ui/controls/MenuBar.h"

#include <windowsx.h>

#include "ui/controls/MenuDrawing.h"
#include "ui/win32/ErrorBoundary.h"
#include "ui/win32/Mnemonic.h"

namespace quillfen {

MenuBar::MenuBar(HWND parent, RECT b, std::vector<MenuTop> menu, PaletteSource palette,
                 HIMAGELIST images, Callbacks callbacks, WideString openVerb)
    : menu_(std::move(menu)),
      paletteSource_(std::move(palette)),
      palette_(paletteSource_()),
      images_(images),
      callbacks_(std::move(callbacks)),
      openVerb_(std::move(openVerb)) {
    BuildDropDowns();
    Create({L"TActionMainMenuBar", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr}, 0, L"",
           WS_CHILD | WS_VISIBLE, b.left, b.top, b.right - b.left, b.bottom - b.top, parent);
    LayoutEntries();
}

void MenuBar::Destroyed() {
    if (accessible_) accessible_->Disconnect();
}

void MenuBar::SetMode(Mode mode) noexcept {
    const bool wasIdle = mode_ == Mode::Idle;
    mode_ = mode;
    if (wasIdle == (mode == Mode::Idle)) return;
    ::NotifyWinEvent(wasIdle ? EVENT_SYSTEM_MENUSTART : EVENT_SYSTEM_MENUEND, hwnd(), OBJID_CLIENT,
                     CHILDID_SELF);
}

void MenuBar::AnnounceFocus(int index) const noexcept {
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, index + 1);
}

LRESULT MenuBar::AnswerAccessibility(WPARAM wParam, LPARAM lParam) {
    if (AsksForClientObject(lParam)) {
        // A failed answer leaves the question to the system's own object, and shows
        // nothing: a screen reader waits inside this call.
        const LRESULT answer = Quietly(0, [&] {
            if (!accessible_) accessible_ = MakeAccessible<MenuBarAccessible>(*this);
            return accessible_->Answer(wParam);
        });
        if (answer > 0) return answer;
    }
    return Default(WM_GETOBJECT, wParam, lParam);
}

void MenuBar::RequestOpen(int index) noexcept {
    ::PostMessageW(hwnd(), kOpenRequest, static_cast<WPARAM>(index), 0);
}

void MenuBar::SystemColoursChanged() {
    palette_ = paletteSource_();
    PaintDropDownBackgrounds();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void MenuBar::SetPaletteSource(PaletteSource source) {
    paletteSource_ = std::move(source);
    SystemColoursChanged();
}

void MenuBar::LayoutEntries() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    WindowDc dc(hwnd());
    const HFONT font = font_ ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    entries_.clear();
    int x = 0;
    for (const MenuTop& top : menu_) {
        const int width = CaptionWidth(dc.get(), font, top.caption) + 2 * kTopEntryPadding;
        entries_.push_back({x, 0, x + width, client.bottom});
        x += width;
    }
}

void MenuBar::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    FillSolid(dc, client, palette_.color);
    const MenuLook look{palette_, font_, images_};
    for (size_t i = 0; i < menu_.size(); ++i) {
        const int index = static_cast<int>(i);
        TopEntryState state = TopEntryState::Rest;
        if (index == open_) {
            state = TopEntryState::Open;
        } else if (index == hot_ && open_ < 0) {
            state = TopEntryState::Highlighted;
        }
        DrawTopEntry(dc, entries_[i], menu_[i].caption, state, look);
    }
}

void MenuBar::SetHot(int index) {
    if (index == hot_) return;
    hot_ = index;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (mode_ == Mode::BarMenu && index >= 0) AnnounceFocus(index);
}

int MenuBar::HitTest(POINT p) const noexcept {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (::PtInRect(&entries_[i], p)) return static_cast<int>(i);
    }
    return -1;
}

int MenuBar::HitTestScreen(POINT screen) const noexcept {
    if (::WindowFromPoint(screen) != hwnd()) return -1;
    ::ScreenToClient(hwnd(), &screen);
    return HitTest(screen);
}

int MenuBar::Neighbour(int index, int step) const noexcept {
    const int count = static_cast<int>(menu_.size());
    return ((index < 0 ? 0 : index) + step + count) % count;
}

int MenuBar::EntryOfMnemonic(wchar_t letter) const noexcept {
    const wchar_t upper = UpperAscii(letter);
    for (size_t i = 0; i < menu_.size(); ++i) {
        if (menu_[i].mnemonic && menu_[i].mnemonic == upper) return static_cast<int>(i);
    }
    return -1;
}

void MenuBar::EnterMenuMode() {
    if (mode_ != Mode::Idle || menu_.empty()) return;
    returnFocus_ = ::GetFocus();
    SetMode(Mode::BarMenu);
    hot_ = 0;
    ::SetFocus(hwnd());
    // After the bar's own focus event, which names no entry.
    AnnounceFocus(hot_);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void MenuBar::LeaveMenuMode() {
    const bool hadFocus = ::GetFocus() == hwnd();
    SetMode(Mode::Idle);
    open_ = -1;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    hot_ = HitTestScreen(cursor);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (hadFocus && returnFocus_ && ::IsWindow(returnFocus_)) ::SetFocus(returnFocus_);
}

bool MenuBar::OpenByMnemonic(wchar_t letter) {
    const int index = EntryOfMnemonic(letter);
    // While a modal window has the main window disabled, its menu cannot be used.
    if (index < 0 || !::IsWindowEnabled(::GetAncestor(hwnd(), GA_ROOT))) return false;
    Open(index, true);
    return true;
}

void MenuBar::KeyInBarMode(WPARAM key) {
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
            SetHot(Neighbour(hot_, key == VK_RIGHT ? 1 : -1));
            break;
        case VK_UP:
        case VK_DOWN:
            Open(hot_ < 0 ? 0 : hot_, true);
            break;
        case VK_ESCAPE:
            LeaveMenuMode();
            break;
        default:
            break;
    }
}

void MenuBar::SetFont(HFONT font, bool redraw) {
    font_ = font;
    LayoutEntries();
    if (redraw) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void MenuBar::MouseMoved(POINT at) {
    const int over = HitTest(at);
    if (mode_ == Mode::Idle || over >= 0) SetHot(over);
    if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
        trackingMouse_ = ::TrackMouseEvent(&track) != FALSE;
    }
}

// Enter opens on its character, not its key: the character would otherwise reach the
// drop-down's loop first and close it at once.
void MenuBar::CharInBarMode(wchar_t ch) {
    const int index = ch == L'\r' ? hot_ : EntryOfMnemonic(ch);
    if (index >= 0) Open(index, true);
}

void MenuBar::FocusChanged(bool gained) {
    if (!gained) {
        if (mode_ == Mode::BarMenu) {
            SetMode(Mode::Idle);
            SetHot(-1);
        }
        return;
    }
    // Focus that arrives outside menu mode (a window reactivated while the bar had it)
    // goes back to the control that had it before.
    if (mode_ == Mode::Idle && returnFocus_ && ::IsWindow(returnFocus_)) ::SetFocus(returnFocus_);
}

LRESULT MenuBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_PAINT: {
            PaintDc paint(hwnd());
            if (paint.get()) Paint(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_MOUSEMOVE:
            MouseMoved(at);
            return 0;
        case WM_MOUSELEAVE:
            trackingMouse_ = false;
            if (mode_ == Mode::Idle) SetHot(-1);
            return 0;
        case WM_LBUTTONDOWN:
            if (HitTest(at) >= 0) Open(HitTest(at), false);
            return 0;
        case WM_KEYDOWN:
            if (mode_ == Mode::BarMenu) KeyInBarMode(wParam);
            return 0;
        case WM_CHAR:
            if (mode_ == Mode::BarMenu) CharInBarMode(static_cast<wchar_t>(wParam));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FocusChanged(message == WM_SETFOCUS);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_GETOBJECT:
            return AnswerAccessibility(wParam, lParam);
        case kOpenRequest:
            // While a modal window has the main window disabled, its menu cannot be used.
            if (::IsWindowEnabled(::GetAncestor(hwnd(), GA_ROOT)))
                Open(static_cast<int>(wParam), true);
            return 0;
        default:
            return MenuOwnerMessage(message, wParam, lParam);
    }
}


}  // namespace quillfen
