#include "ui/win32/LiveRegion.h"

#include <uiautomationcore.h>

#include "ui/win32/Text.h"

namespace quillfen {

namespace {

// The control's text for the ear: one space for each run of line breaks, since a name is
// read as one utterance and a clock time would run into the next line's label.
WideString SpokenText(HWND region) {
    WideString text(static_cast<size_t>(::GetWindowTextLengthW(region)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(region, text.data(), static_cast<int>(text.size()))));
    WideString spoken;
    for (const wchar_t c : text) {
        const bool lineBreak = c == L'\r' || c == L'\n';
        if (!lineBreak) {
            spoken += c;
        } else if (!spoken.empty() && spoken.back() != L' ') {
            spoken += L' ';
        }
    }
    while (!spoken.empty() && spoken.back() == L' ') spoken.pop_back();
    return spoken;
}

// The control's object with its one child, the latest-text element. The control (an
// edit) has no child windows, so the element is all there is below it.
class LiveRegionAccessible final : public AnnotatedAccessible {
public:
    using AnnotatedAccessible::AnnotatedAccessible;

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_INVALIDARG;
        *count = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_INVALIDARG;
        *object = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        return IsElement(child) ? S_FALSE : E_INVALIDARG;  // a simple element, asked here
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsElement(child)) return AnnotatedAccessible::get_accName(child, name);
        if (!name) return E_INVALIDARG;
        *name = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        return Answering([&] { return Text(SpokenText(hwnd()), name); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsElement(child)) return AnnotatedAccessible::get_accRole(child, role);
        if (!role) return E_INVALIDARG;
        role->vt = VT_EMPTY;
        return Alive() ? Role(ROLE_SYSTEM_STATICTEXT, role) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsElement(child)) return AnnotatedAccessible::get_accState(child, state);
        if (!state) return E_INVALIDARG;
        state->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY;
        return S_OK;
    }
    // The element covers the control: the text it stands for is shown there.
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!IsElement(child))
            return AnnotatedAccessible::accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height) return E_INVALIDARG;
        *left = *top = *width = *height = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        RECT r{};
        ::GetWindowRect(hwnd(), &r);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        const bool down = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
        if (!IsElement(start) && !(IsSelf(start) && down))
            return AnnotatedAccessible::accNavigate(direction, start, end);
        if (!end) return E_INVALIDARG;
        end->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!down) return S_FALSE;  // the element has no siblings and no children
        if (IsElement(start)) return E_INVALIDARG;
        end->vt = VT_I4;
        end->lVal = kLatestTextChild;
        return S_OK;
    }

protected:
    bool ChildrenAreWindows() const noexcept override { return false; }

private:
    static bool IsElement(const VARIANT& child) noexcept {
        return child.vt == VT_I4 && child.lVal == kLatestTextChild;
    }
};

// Windows 8's event, named here for the Windows 7 headers the program builds against;
// older systems have no client listening for it.
constexpr DWORD kLiveRegionChanged = 0x8019;
// From the notification API of Windows 10 1709, which the headers here lack.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1;

}  // namespace

LRESULT AnswerForLiveRegion(HWND region, WPARAM wParam, AccessibleFacts facts) noexcept {
    return AnswerClientObject<LiveRegionAccessible>(region, wParam, std::move(facts));
}

void AnnounceLiveRegion(HWND region, std::wstring_view text, std::wstring_view activity) noexcept {
    ::NotifyWinEvent(kLiveRegionChanged, region, OBJID_CLIENT, kLatestTextChild);
    // Loading uiautomationcore brings COM with it (some 60 ms under Wine): only where a
    // screen reader says it runs is anyone there to hear the notification.
    BOOL screenReader = FALSE;
    if (!::SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0) || !screenReader)
        return;
    const UiAutomationApi& uia = UiAutomation();
    if (!uia.raiseNotificationEvent || !uia.hostProviderFromHwnd) return;
    if (uia.clientsAreListening && !uia.clientsAreListening()) return;
    // The window's own provider stands for the control: the notification needs no tree
    // of the program's making.
    ComPtr<IRawElementProviderSimple> provider;
    if (FAILED(uia.hostProviderFromHwnd(region, provider.put())) || !provider) return;
    const BstrHandle shown(MakeBstr(text));
    const BstrHandle id(MakeBstr(activity));
    uia.raiseNotificationEvent(provider.get(), kActionCompleted, kImportantMostRecent, shown.get(),
                               id.get());
}

}  // namespace quillfen
