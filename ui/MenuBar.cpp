#include "ui/MenuBar.h"

#include <windowsx.h>

#include <cwchar>

#include "resources/VoiceClip.h"
#include "ui/MenuDrawing.h"

namespace quillfen {

namespace {

struct HookTraits {
    using Type = HHOOK;
    static void Close(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
};
using HookHandle = Handle<HookTraits>;

// The bar whose drop-down is open; the filter hook has no other way to find it.
MenuBar* g_tracking = nullptr;

// Marks the bar as tracking for one drop-down loop.
class TrackingScope {
public:
    explicit TrackingScope(MenuBar* bar) noexcept { g_tracking = bar; }
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;
    ~TrackingScope() { g_tracking = nullptr; }
};

// The whole window's device context, frame included.
class WholeWindowDc {
public:
    explicit WholeWindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetWindowDC(hwnd)) {}
    WholeWindowDc(const WholeWindowDc&) = delete;
    WholeWindowDc& operator=(const WholeWindowDc&) = delete;
    ~WholeWindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

wchar_t UpperAscii(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

MenuBar::MenuBar(HWND parent, RECT b, std::vector<MenuTop> menu, const MenuPalette& palette,
                 HIMAGELIST images, Callbacks callbacks)
    : menu_(std::move(menu)),
      palette_(palette),
      dropDownBrush_(::CreateSolidBrush(palette.menuColor)),
      images_(images),
      callbacks_(std::move(callbacks)) {
    BuildDropDowns();
    Create({L"TActionMainMenuBar", CS_HREDRAW | CS_VREDRAW, nullptr, nullptr}, 0, L"",
           WS_CHILD | WS_VISIBLE, b.left, b.top, b.right - b.left, b.bottom - b.top, parent);
    LayoutEntries();
}

void MenuBar::BuildDropDowns() {
    for (const MenuTop& top : menu_) {
        MenuHandle dropDown(::CreatePopupMenu());
        for (const MenuEntry& entry : top.items) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
            info.fType = MFT_OWNERDRAW | (entry.separator ? MFT_SEPARATOR : 0);
            commands_.push_back(&entry);
            info.wID = static_cast<UINT>(commands_.size());
            info.dwItemData = reinterpret_cast<ULONG_PTR>(&entry);
            ::InsertMenuItemW(dropDown.get(), ::GetMenuItemCount(dropDown.get()), TRUE, &info);
        }
        MENUINFO look{};
        look.cbSize = sizeof look;
        look.fMask = MIM_BACKGROUND;
        look.hbrBack = dropDownBrush_.get();
        ::SetMenuInfo(dropDown.get(), &look);
        dropDowns_.push_back(std::move(dropDown));
    }
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
    mode_ = Mode::BarMenu;
    hot_ = 0;
    ::SetFocus(hwnd());
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void MenuBar::LeaveMenuMode() {
    const bool hadFocus = ::GetFocus() == hwnd();
    mode_ = Mode::Idle;
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

void MenuBar::Open(int index, bool byKeyboard) {
    if (g_tracking || index < 0 || index >= static_cast<int>(menu_.size())) return;
    if (mode_ == Mode::Idle) returnFocus_ = nullptr;
    UINT chosen = 0;
    for (int next = index; next >= 0;) {
        pendingNext_ = -1;
        chosen = TrackDropDown(next, byKeyboard);
        next = pendingNext_;
        byKeyboard = pendingByKeyboard_;
    }
    // The drop-down is closed; the command runs outside the menu loop, so a modal
    // window it opens is not nested inside that loop.
    LeaveMenuMode();
    if (chosen) Choose(chosen);
}

UINT MenuBar::TrackDropDown(int index, bool byKeyboard) {
    mode_ = Mode::DropDown;
    open_ = index;
    hot_ = index;
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT r = entries_[static_cast<size_t>(index)];
    ::MapWindowPoints(hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    TPMPARAMS params{sizeof params, r};
    // The loop takes this as its first key and highlights the first item.
    if (byKeyboard) ::PostMessageW(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    const HookHandle hook(
        ::SetWindowsHookExW(WH_MSGFILTER, &MenuBar::FilterHook, nullptr, ::GetCurrentThreadId()));
    const HookHandle creation(
        ::SetWindowsHookExW(WH_CBT, &MenuBar::CreationHook, nullptr, ::GetCurrentThreadId()));
    const TrackingScope tracking(this);
    return static_cast<UINT>(::TrackPopupMenuEx(
        dropDowns_[static_cast<size_t>(index)].get(),
        TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON | TPM_RETURNCMD, r.left,
        r.bottom, hwnd(), &params));
}

void MenuBar::Choose(UINT command) {
    if (command == 0 || command > commands_.size()) return;
    const MenuEntry& entry = *commands_[command - 1];
    // Cuts off the cat's cry if it is still sounding.
    StopSounds();
    PlayEventSound(L"MenuCommand");
    if (entry.action && callbacks_.execute) callbacks_.execute(*entry.action);
}

void MenuBar::SwitchTo(int index, bool byKeyboard) noexcept {
    pendingNext_ = index;
    pendingByKeyboard_ = byKeyboard;
    ::EndMenu();
}

bool MenuBar::FilterMenuMessage(const MSG& msg) noexcept {
    switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT) {
                SwitchTo(Neighbour(open_, msg.wParam == VK_RIGHT ? 1 : -1), true);
                return true;
            }
            return false;
        case WM_MOUSEMOVE: {
            const int over = HitTestScreen(msg.pt);
            if (over < 0 || over == open_) return false;
            SwitchTo(over, false);
            return true;
        }
        case WM_LBUTTONDOWN: {
            // A click on the open entry closes its drop-down instead of reopening it.
            const int over = HitTestScreen(msg.pt);
            if (over < 0) return false;
            if (over == open_) {
                ::EndMenu();
            } else {
                SwitchTo(over, false);
            }
            return true;
        }
        default:
            return false;
    }
}

LRESULT CALLBACK MenuBar::FilterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && g_tracking &&
        g_tracking->FilterMenuMessage(*reinterpret_cast<const MSG*>(lParam))) {
        return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MenuBar::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_tracking) {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        ::GetClassNameW(window, name, 16);
        if (std::wcscmp(name, L"#32768") == 0) {
            ::SetWindowSubclass(window, &MenuBar::FrameProc, 1,
                                reinterpret_cast<DWORD_PTR>(g_tracking));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MenuBar::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, &MenuBar::FrameProc, 1);
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    // The bar is known to exist only while its drop-down loop runs.
    const auto* bar = reinterpret_cast<const MenuBar*>(data);
    if ((message == WM_PAINT || message == WM_NCPAINT) && g_tracking == bar)
        bar->PaintFrame(window);
    return result;
}

void MenuBar::PaintFrame(HWND dropDown) const {
    RECT window{};
    ::GetWindowRect(dropDown, &window);
    int gapLeft = 0, gapRight = 0;
    if (open_ >= 0) {
        RECT entry = entries_[static_cast<size_t>(open_)];
        ::MapWindowPoints(hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&entry), 2);
        // Open towards the entry only where the drop-down hangs right below it.
        if (window.top == entry.bottom) {
            gapLeft = entry.left - window.left + 1;
            gapRight = entry.right - window.left - 1;
        }
    }
    const WholeWindowDc dc(dropDown);
    DrawDropDownFrame(dc.get(), {window.right - window.left, window.bottom - window.top}, gapLeft,
                      gapRight, palette_, PictureColumnWidth(images_));
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

LRESULT MenuBar::MeasureItem(MEASUREITEMSTRUCT& item) {
    const auto* entry = reinterpret_cast<const MenuEntry*>(item.itemData);
    if (item.CtlType != ODT_MENU || !entry) return FALSE;
    int w = kStandardPictureHeight, h = kStandardPictureHeight;
    if (images_) ::ImageList_GetIconSize(images_, &w, &h);
    item.itemHeight =
        static_cast<UINT>(DropDownItemHeight(entry->separator, h, ::GetSystemMetrics(SM_CYMENU)));
    WindowDc dc(hwnd());
    const int caption = entry->separator ? 0 : CaptionWidth(dc.get(), font_, entry->caption);
    item.itemWidth =
        static_cast<UINT>(PictureColumnWidth(images_) + kCaptionGap + caption + 2 * kCaptionGap);
    return TRUE;
}

LRESULT MenuBar::DrawItem(const DRAWITEMSTRUCT& item) {
    const auto* entry = reinterpret_cast<const MenuEntry*>(item.itemData);
    if (item.CtlType != ODT_MENU || !entry) return FALSE;
    const MenuLook look{palette_, font_, images_};
    DrawDropDownItem(item.hDC, item.rcItem, *entry, (item.itemState & ODS_SELECTED) != 0, look);
    return TRUE;
}

// Owner-drawn items carry no text for the menu to match typed letters against.
LRESULT MenuBar::MenuChar(wchar_t letter, HMENU menu) const {
    const wchar_t upper = UpperAscii(letter);
    for (size_t i = 0; i < dropDowns_.size(); ++i) {
        if (dropDowns_[i].get() != menu) continue;
        const std::vector<MenuEntry>& items = menu_[i].items;
        for (size_t k = 0; k < items.size(); ++k) {
            if (!items[k].separator && items[k].mnemonic == upper) {
                return MAKELRESULT(k, MNC_EXECUTE);
            }
        }
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

void MenuBar::MenuSelect(UINT item, UINT flags) {
    if (flags == 0xFFFF || (flags & MF_POPUP) || item == 0 || item > commands_.size()) return;
    const MenuEntry& entry = *commands_[item - 1];
    if (entry.action && callbacks_.highlight) callbacks_.highlight(*entry.action);
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
            mode_ = Mode::Idle;
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
            Paint(paint.get());
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
        default:
            return MenuOwnerMessage(message, wParam, lParam);
    }
}

// What the drop-downs' loop asks of the window that owns them.
LRESULT MenuBar::MenuOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM:
            return MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM:
            return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_MENUCHAR:
            return MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        case WM_MENUSELECT:
            MenuSelect(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            // Cuts off the cat's cry if it is still sounding.
            StopSounds();
            PlayEventSound(L"MenuPopup");
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace quillfen
