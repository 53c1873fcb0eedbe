// The menu bar's drop-downs: built as owner-drawn popup menus, run by the platform's
// popup-menu loop, watched through a message filter for moves to the next entry, and
// framed by a subclass of the drop-down window that the creation hook finds.
#include <windows.h>

#include <cwchar>

#include "resources/VoiceClip.h"
#include "ui/controls/MenuBar.h"
#include "ui/controls/MenuDrawing.h"
#include "ui/framework/ModalLoop.h"
#include "ui/win32/ErrorBoundary.h"
#include "ui/win32/Mnemonic.h"

namespace quillfen {

namespace {

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

}  // namespace

void MenuBar::BuildDropDowns() {
    size_t count = 0;
    for (const MenuTop& top : menu_) count += top.items.size();
    // The menus hold pointers into it.
    items_.reserve(count);
    for (MenuTop& top : menu_) {
        MenuHandle dropDown(::CreatePopupMenu());
        for (MenuEntry& entry : top.items) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
            info.fType = MFT_OWNERDRAW | (entry.separator ? MFT_SEPARATOR : 0);
            // The caption with its "&", from which the reader takes the shortcut letter
            // as from any menu text; a separator has none. It lives as long as menu_.
            MSAAMENUINFO msaa{static_cast<DWORD>(MSAA_MENU_SIG), 0, nullptr};
            if (!entry.separator) {
                msaa.cchWText = static_cast<DWORD>(entry.caption.size());
                msaa.pszWText = entry.caption.data();
            }
            items_.push_back({msaa, &entry});
            info.wID = static_cast<UINT>(items_.size());
            info.dwItemData = reinterpret_cast<ULONG_PTR>(&items_.back());
            ::InsertMenuItemW(dropDown.get(), ::GetMenuItemCount(dropDown.get()), TRUE, &info);
        }
        dropDowns_.push_back(std::move(dropDown));
    }
    PaintDropDownBackgrounds();
}

// The menus keep the brush they were given: the old one goes only once none uses it.
void MenuBar::PaintDropDownBackgrounds() {
    BrushHandle brush(::CreateSolidBrush(palette_.menuColor));
    for (const MenuHandle& dropDown : dropDowns_) {
        MENUINFO look{};
        look.cbSize = sizeof look;
        look.fMask = MIM_BACKGROUND;
        look.hbrBack = brush.get();
        ::SetMenuInfo(dropDown.get(), &look);
    }
    dropDownBrush_ = std::move(brush);
}


void MenuBar::Open(int index, bool byKeyboard) {
    if (g_tracking || index < 0 || index >= static_cast<int>(menu_.size())) return;
    // A close that came before the key that opens the drop-down (both queued while the
    // program was busy) has left its quit request waiting: no drop-down opens now.
    if (QuitPending()) {
        if (mode_ != Mode::Idle) LeaveMenuMode();
        return;
    }
    if (mode_ == Mode::Idle) returnFocus_ = nullptr;
    UINT chosen = 0;
    {
        // A close of the main window while a drop-down is open ends it (the quit request
        // ends the menu) and then the program.
        const QuitRequestKeeper keeper;
        for (int next = index; next >= 0;) {
            pendingNext_ = -1;
            chosen = TrackDropDown(next, byKeyboard);
            next = pendingNext_;
            byKeyboard = pendingByKeyboard_;
        }
    }
    // The drop-down is closed; the command runs outside the menu loop, so a modal
    // window it opens is not nested inside that loop.
    LeaveMenuMode();
    if (chosen) Choose(chosen);
}

UINT MenuBar::TrackDropDown(int index, bool byKeyboard) {
    // The entry has the focus until the drop-down's items take it; from menu mode on the
    // same entry, it has been announced already.
    const bool announced = mode_ == Mode::BarMenu && hot_ == index;
    SetMode(Mode::DropDown);
    open_ = index;
    hot_ = index;
    if (!announced) AnnounceFocus(index);
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
    if (command == 0 || command > items_.size()) return;
    const MenuEntry& entry = *items_[command - 1].entry;
    if (callbacks_.commandChosen) callbacks_.commandChosen();
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
    const bool swallowed = Guarded(false, [&] {
        return code == MSGF_MENU && g_tracking &&
               g_tracking->FilterMenuMessage(*reinterpret_cast<const MSG*>(lParam));
    });
    return swallowed ? TRUE : ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MenuBar::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_tracking) {  // nothing here can throw
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
        Guarded([&] { bar->PaintFrame(window); });
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
    const WindowDc dc(dropDown, WindowDc::WholeWindow);
    DrawDropDownFrame(dc.get(), {window.right - window.left, window.bottom - window.top}, gapLeft,
                      gapRight, palette_, PictureColumnWidth(images_));
}


LRESULT MenuBar::MeasureItem(MEASUREITEMSTRUCT& item) {
    const auto* data = reinterpret_cast<const ItemData*>(item.itemData);
    if (item.CtlType != ODT_MENU || !data) return FALSE;
    const MenuEntry* entry = data->entry;
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
    const auto* data = reinterpret_cast<const ItemData*>(item.itemData);
    if (item.CtlType != ODT_MENU || !data) return FALSE;
    const MenuLook look{palette_, font_, images_};
    DrawDropDownItem(item.hDC, item.rcItem, *data->entry, (item.itemState & ODS_SELECTED) != 0,
                     look);
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
    if (flags == 0xFFFF || (flags & MF_POPUP) || item == 0 || item > items_.size()) return;
    const MenuEntry& entry = *items_[item - 1].entry;
    if (entry.action && callbacks_.highlight) callbacks_.highlight(*entry.action);
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
            if (callbacks_.dropDownOpens) callbacks_.dropDownOpens();
            PlayEventSound(L"MenuPopup");
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}


}  // namespace quillfen
