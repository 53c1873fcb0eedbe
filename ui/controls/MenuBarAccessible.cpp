#include "ui/controls/MenuBarAccessible.h"

#include <string_view>

#include "ui/controls/MenuBar.h"
#include "ui/win32/Mnemonic.h"
#include "ui/win32/Text.h"

namespace quillfen {

namespace {

// The answer to every question this object answers itself once the bar is gone.
constexpr HRESULT kGone = RPC_E_DISCONNECTED;

HRESULT Integer(LONG value, VARIANT* out) noexcept {
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

}  // namespace

MenuBarAccessible::MenuBarAccessible(MenuBar& bar) noexcept
    : AccessibleProxy(bar.hwnd(), OBJID_CLIENT), bar_(&bar) {}

int MenuBarAccessible::EntryCount() const noexcept {
    return bar_ ? static_cast<int>(bar_->Menu().size()) : 0;
}

int MenuBarAccessible::EntryOf(const VARIANT& child) const noexcept {
    if (child.vt != VT_I4) return kNoSuchChild;
    if (child.lVal == CHILDID_SELF) return kSelf;
    return child.lVal >= 1 && child.lVal <= EntryCount() ? child.lVal - 1 : kNoSuchChild;
}

HRESULT MenuBarAccessible::NoText(const VARIANT& child, BSTR* out) const noexcept {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (!bar_) return kGone;
    return EntryOf(child) >= 0 ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
}

HRESULT MenuBarAccessible::get_accChildCount(LONG* count) {
    if (!count) return E_INVALIDARG;
    *count = 0;
    if (!bar_) return kGone;
    *count = EntryCount();
    return S_OK;
}

// The entries are simple elements: the client asks this object about them by child id.
HRESULT MenuBarAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    if (!bar_) return kGone;
    return EntryOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT MenuBarAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_INVALIDARG;
    *name = nullptr;
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kSelf) return AccessibleProxy::get_accName(child, name);
    if (entry < 0) return E_INVALIDARG;
    return Answering([&] {
        const WideString& caption = bar_->Menu()[static_cast<size_t>(entry)].caption;
        return Text(WithoutMnemonic<WideString>(caption), name);
    });
}

HRESULT MenuBarAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (bar_ && EntryOf(child) == kSelf) return AccessibleProxy::get_accValue(child, value);
    return NoText(child, value);
}

HRESULT MenuBarAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (bar_ && EntryOf(child) == kSelf)
        return AccessibleProxy::get_accDescription(child, description);
    return NoText(child, description);
}

HRESULT MenuBarAccessible::get_accHelp(VARIANT child, BSTR* help) {
    if (bar_ && EntryOf(child) == kSelf) return AccessibleProxy::get_accHelp(child, help);
    return NoText(child, help);
}

HRESULT MenuBarAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_INVALIDARG;
    role->vt = VT_EMPTY;
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kNoSuchChild) return E_INVALIDARG;
    return Role(entry == kSelf ? ROLE_SYSTEM_MENUBAR : ROLE_SYSTEM_MENUITEM, role);
}

HRESULT MenuBarAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_INVALIDARG;
    state->vt = VT_EMPTY;
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kSelf) return AccessibleProxy::get_accState(child, state);
    if (entry < 0) return E_INVALIDARG;
    LONG flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP;
    if (entry == bar_->HotIndex()) {
        flags |= STATE_SYSTEM_HOTTRACKED;
        // In menu mode the highlighted entry has the focus, until its drop-down's own
        // items take it.
        if (bar_->InMenuMode() && bar_->OpenIndex() < 0) flags |= STATE_SYSTEM_FOCUSED;
    }
    if (entry == bar_->OpenIndex()) flags |= STATE_SYSTEM_EXPANDED;
    // While a modal window is up the menu cannot be used.
    if (!::IsWindowEnabled(::GetAncestor(hwnd(), GA_ROOT))) flags |= STATE_SYSTEM_UNAVAILABLE;
    return Integer(flags, state);
}

HRESULT MenuBarAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (!shortcut) return E_INVALIDARG;
    *shortcut = nullptr;
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kSelf) return AccessibleProxy::get_accKeyboardShortcut(child, shortcut);
    if (entry < 0) return E_INVALIDARG;
    const wchar_t letter = bar_->Menu()[static_cast<size_t>(entry)].mnemonic;
    const wchar_t text[] = {L'A', L'l', L't', L'+', letter};
    return Text(letter ? std::wstring_view(text, 5) : std::wstring_view(), shortcut);
}

HRESULT MenuBarAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_INVALIDARG;
    child->vt = VT_EMPTY;
    if (!bar_) return kGone;
    if (bar_->InMenuMode() && bar_->OpenIndex() < 0 && bar_->HotIndex() >= 0)
        return Integer(bar_->HotIndex() + 1, child);
    if (::GetFocus() == hwnd()) return Integer(CHILDID_SELF, child);
    return S_FALSE;
}

HRESULT MenuBarAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!action) return E_INVALIDARG;
    *action = nullptr;
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kSelf) return AccessibleProxy::get_accDefaultAction(child, action);
    if (entry < 0) return E_INVALIDARG;
    return Text(bar_->OpenVerb(), action);
}

HRESULT MenuBarAccessible::accDoDefaultAction(VARIANT child) {
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kSelf) return AccessibleProxy::accDoDefaultAction(child);
    if (entry < 0) return E_INVALIDARG;
    bar_->RequestOpen(entry);
    return S_OK;
}

HRESULT MenuBarAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                       VARIANT child) {
    if (!left || !top || !width || !height) return E_INVALIDARG;
    *left = *top = *width = *height = 0;
    if (!bar_) return kGone;
    const int entry = EntryOf(child);
    if (entry == kSelf) return AccessibleProxy::accLocation(left, top, width, height, child);
    if (entry < 0) return E_INVALIDARG;
    RECT r = bar_->EntryRect(entry);
    ::MapWindowPoints(hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

// From the bar to its first or last entry, and along the entries left and right; moves
// from the bar to its neighbours are the system's to answer.
HRESULT MenuBarAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (!end) return E_INVALIDARG;
    end->vt = VT_EMPTY;
    if (!bar_) return kGone;
    const int entry = EntryOf(start);
    const int count = EntryCount();
    if (entry == kNoSuchChild) return E_INVALIDARG;
    if (entry == kSelf) {
        if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
            return AccessibleProxy::accNavigate(direction, start, end);
        if (count == 0) return S_FALSE;
        return Integer(direction == NAVDIR_FIRSTCHILD ? 1 : count, end);
    }
    int next = -1;
    switch (direction) {
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT:
            next = entry + 1;
            break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT:
            next = entry - 1;
            break;
        case NAVDIR_UP:
        case NAVDIR_DOWN:
            break;
        default:
            return E_INVALIDARG;
    }
    if (next < 0 || next >= count) return S_FALSE;
    return Integer(next + 1, end);
}

HRESULT MenuBarAccessible::accHitTest(LONG left, LONG top, VARIANT* child) {
    if (!child) return E_INVALIDARG;
    child->vt = VT_EMPTY;
    if (!bar_) return kGone;
    POINT at{left, top};
    ::ScreenToClient(hwnd(), &at);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (!::PtInRect(&client, at)) return S_FALSE;
    for (int i = 0; i < EntryCount(); ++i) {
        const RECT r = bar_->EntryRect(i);
        if (::PtInRect(&r, at)) return Integer(i + 1, child);
    }
    return Integer(CHILDID_SELF, child);
}

}  // namespace quillfen
