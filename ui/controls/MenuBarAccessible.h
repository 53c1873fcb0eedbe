// The menu bar as a screen reader sees it: a menu bar whose entries are menu items, each
// with its caption, its Alt shortcut and an action that opens its drop-down.
#pragma once

#include <windows.h>

#include "ui/win32/Accessibility.h"

namespace quillfen {

class MenuBar;

// The entries are simple elements, child ids 1..n in the bar's order. A client may hold
// the object after the bar is gone: the bar disconnects it then, and from that moment
// every question this class answers itself fails with RPC_E_DISCONNECTED.
class MenuBarAccessible final : public AccessibleProxy {
public:
    explicit MenuBarAccessible(MenuBar& bar) noexcept;
    void Disconnect() noexcept { bar_ = nullptr; }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

private:
    static constexpr int kSelf = -1;
    static constexpr int kNoSuchChild = -2;
    // The entry a child id names, kSelf for the bar, kNoSuchChild for anything else.
    int EntryOf(const VARIANT& child) const noexcept;
    int EntryCount() const noexcept;
    // For the text properties an entry does not have.
    HRESULT NoText(const VARIANT& child, BSTR* out) const noexcept;

    MenuBar* bar_;
};

}  // namespace quillfen
