#include "ui/win32/Accessibility.h"

#include "resources/SystemLibrary.h"

namespace quillfen {

namespace {

template <typename F>
void Bind(HMODULE module, const char* name, F& function) noexcept {
    function = LibraryFunction<F>(module, name);
}

// oleacc brings COM's marshalling with it: loading it at start-up would delay the first
// window for a question only an assistive tool asks. Both stay loaded for the process.
AccessibilityApi Load() noexcept {
    AccessibilityApi api;
    const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
    Bind(oleacc, "CreateStdAccessibleObject", api.createStdAccessibleObject);
    Bind(oleacc, "LresultFromObject", api.lresultFromObject);
    const HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
    Bind(oleaut, "SysAllocStringLen", api.sysAllocStringLen);
    Bind(oleaut, "SysFreeString", api.sysFreeString);
    return api;
}

UiAutomationApi LoadUiAutomation() noexcept {
    UiAutomationApi api;
    const HMODULE core = LoadSystemLibrary(L"uiautomationcore.dll");
    Bind(core, "UiaClientsAreListening", api.clientsAreListening);
    Bind(core, "UiaHostProviderFromHwnd", api.hostProviderFromHwnd);
    Bind(core, "UiaRaiseNotificationEvent", api.raiseNotificationEvent);
    return api;
}

}  // namespace

const AccessibilityApi& Accessibility() noexcept {
    static const AccessibilityApi api = Load();
    return api;
}

const UiAutomationApi& UiAutomation() noexcept {
    static const UiAutomationApi api = LoadUiAutomation();
    return api;
}

BSTR MakeBstr(std::wstring_view text) noexcept {
    const auto alloc = Accessibility().sysAllocStringLen;
    return alloc ? alloc(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

void FreeBstr(BSTR text) noexcept {
    if (const auto free = Accessibility().sysFreeString) free(text);
}

AccessibleProxy::AccessibleProxy(HWND hwnd, LONG objectId) noexcept : hwnd_(hwnd) {
    if (const auto create = Accessibility().createStdAccessibleObject) {
        create(hwnd, objectId, __uuidof(IAccessible),
               reinterpret_cast<void**>(standard_.put()));
    }
}

LRESULT AccessibleProxy::Answer(WPARAM wParam) noexcept {
    const auto answer = Accessibility().lresultFromObject;
    if (!answer) return 0;
    // A failure (no apartment, no marshalling) comes back as a negative HRESULT. Handed
    // on, it would leave the client with no object at all; 0 lets the system answer.
    const LRESULT result = answer(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
    return result > 0 ? result : 0;
}

HRESULT AccessibleProxy::Text(std::wstring_view text, BSTR* out) noexcept {
    if (!out) return E_INVALIDARG;
    *out = text.empty() ? nullptr : MakeBstr(text);
    if (!text.empty() && !*out) return E_OUTOFMEMORY;
    return text.empty() ? S_FALSE : S_OK;
}

HRESULT AccessibleProxy::Role(LONG role, VARIANT* out) noexcept {
    if (!out) return E_INVALIDARG;
    out->vt = VT_I4;
    out->lVal = role;
    return S_OK;
}

HRESULT AccessibleProxy::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    // The children's enumeration is this object's own interface, not the system object's:
    // asked back for IAccessible or IUnknown, it must lead here again.
    if (iid == __uuidof(IEnumVARIANT) && ChildrenAreWindows() && Enumerator()) {
        *object = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    // No other interface: one of the system's object would answer for it instead, and a
    // client that asked it back for IAccessible (or the automation bridge, asking whether
    // this is the system's stand-in) would never see what this object says.
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleProxy::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG AccessibleProxy::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleProxy::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT AccessibleProxy::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT AccessibleProxy::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT AccessibleProxy::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
    return E_NOTIMPL;
}

IEnumVARIANT* AccessibleProxy::Enumerator() noexcept {
    if (!children_ && standard_)
        standard_->QueryInterface(__uuidof(IEnumVARIANT),
                                  reinterpret_cast<void**>(children_.put()));
    return children_.get();
}

ComPtr<IDispatch> AccessibleProxy::ChildWindowAt(LONG place) noexcept {
    // A walk of its own through a second system object: a client's walk through this
    // one's enumeration must not be moved on (and Wine's enumerator cannot be cloned).
    const auto create = Accessibility().createStdAccessibleObject;
    ComPtr<IEnumVARIANT> walk;
    if (place < 1 || !create ||
        FAILED(create(hwnd_, OBJID_CLIENT, __uuidof(IEnumVARIANT),
                      reinterpret_cast<void**>(walk.put()))) ||
        !walk)
        return {};
    VARIANT child{};  // VT_EMPTY; oleaut32's helpers are not loaded for this
    ULONG fetched = 0;
    if (FAILED(walk->Reset()) || (place > 1 && walk->Skip(static_cast<ULONG>(place - 1)) != S_OK) ||
        walk->Next(1, &child, &fetched) != S_OK || fetched != 1)
        return {};
    if (child.vt == VT_DISPATCH) return ComPtr<IDispatch>(child.pdispVal);
    if (child.vt == VT_UNKNOWN && child.punkVal) child.punkVal->Release();
    return {};
}

// Every question the derived class leaves alone goes to the system's object, while the
// window lives: for a window that is gone that object would still answer with success.
#define QUILLFEN_FORWARD(call)                    \
    if (!Alive()) return RPC_E_DISCONNECTED;      \
    if (!standard_) return DISP_E_MEMBERNOTFOUND; \
    return standard_->call

HRESULT AccessibleProxy::get_accParent(IDispatch** parent) {
    QUILLFEN_FORWARD(get_accParent(parent));
}
HRESULT AccessibleProxy::get_accChildCount(LONG* count) {
    QUILLFEN_FORWARD(get_accChildCount(count));
}
HRESULT AccessibleProxy::get_accChild(VARIANT child, IDispatch** object) {
    QUILLFEN_FORWARD(get_accChild(child, object));
}
HRESULT AccessibleProxy::get_accName(VARIANT child, BSTR* name) {
    QUILLFEN_FORWARD(get_accName(child, name));
}
HRESULT AccessibleProxy::get_accValue(VARIANT child, BSTR* value) {
    QUILLFEN_FORWARD(get_accValue(child, value));
}
HRESULT AccessibleProxy::get_accDescription(VARIANT child, BSTR* description) {
    QUILLFEN_FORWARD(get_accDescription(child, description));
}
HRESULT AccessibleProxy::get_accRole(VARIANT child, VARIANT* role) {
    QUILLFEN_FORWARD(get_accRole(child, role));
}
HRESULT AccessibleProxy::get_accState(VARIANT child, VARIANT* state) {
    QUILLFEN_FORWARD(get_accState(child, state));
}
HRESULT AccessibleProxy::get_accHelp(VARIANT child, BSTR* help) {
    QUILLFEN_FORWARD(get_accHelp(child, help));
}
HRESULT AccessibleProxy::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    QUILLFEN_FORWARD(get_accHelpTopic(file, child, topic));
}
HRESULT AccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    QUILLFEN_FORWARD(get_accKeyboardShortcut(child, shortcut));
}
HRESULT AccessibleProxy::get_accFocus(VARIANT* child) { QUILLFEN_FORWARD(get_accFocus(child)); }
HRESULT AccessibleProxy::get_accSelection(VARIANT* children) {
    QUILLFEN_FORWARD(get_accSelection(children));
}
HRESULT AccessibleProxy::get_accDefaultAction(VARIANT child, BSTR* action) {
    QUILLFEN_FORWARD(get_accDefaultAction(child, action));
}
HRESULT AccessibleProxy::accSelect(LONG flags, VARIANT child) {
    QUILLFEN_FORWARD(accSelect(flags, child));
}
HRESULT AccessibleProxy::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    QUILLFEN_FORWARD(accLocation(left, top, width, height, child));
}
HRESULT AccessibleProxy::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    QUILLFEN_FORWARD(accNavigate(direction, start, end));
}
HRESULT AccessibleProxy::accHitTest(LONG left, LONG top, VARIANT* child) {
    QUILLFEN_FORWARD(accHitTest(left, top, child));
}
HRESULT AccessibleProxy::accDoDefaultAction(VARIANT child) {
    QUILLFEN_FORWARD(accDoDefaultAction(child));
}
HRESULT AccessibleProxy::put_accName(VARIANT child, BSTR name) {
    QUILLFEN_FORWARD(put_accName(child, name));
}
HRESULT AccessibleProxy::put_accValue(VARIANT child, BSTR value) {
    QUILLFEN_FORWARD(put_accValue(child, value));
}

HRESULT AccessibleProxy::Next(ULONG count, VARIANT* children, ULONG* fetched) {
    if (fetched) *fetched = 0;
    if (!Alive()) return RPC_E_DISCONNECTED;
    if (!Enumerator()) return E_FAIL;
    return children_->Next(count, children, fetched);
}
HRESULT AccessibleProxy::Skip(ULONG count) {
    if (!Alive()) return RPC_E_DISCONNECTED;
    return Enumerator() ? children_->Skip(count) : E_FAIL;
}
HRESULT AccessibleProxy::Reset() {
    if (!Alive()) return RPC_E_DISCONNECTED;
    return Enumerator() ? children_->Reset() : E_FAIL;
}
// The copy is the system's enumerator: a separate object, so COM's identity rules do not
// tie it to this one.
HRESULT AccessibleProxy::Clone(IEnumVARIANT** copy) {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    if (!Alive()) return RPC_E_DISCONNECTED;
    return Enumerator() ? children_->Clone(copy) : E_FAIL;
}

#undef QUILLFEN_FORWARD

// The system's object may give no object for a child it enumerates as one (Wine's gives
// none at all): the child window at that place then answers for itself.
HRESULT AnnotatedAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    const HRESULT standard = AccessibleProxy::get_accChild(child, object);
    if ((SUCCEEDED(standard) && *object) || standard == RPC_E_DISCONNECTED) return standard;
    if (*object) {
        (*object)->Release();
        *object = nullptr;
    }
    if (child.vt != VT_I4) return standard;
    ComPtr<IDispatch> window = ChildWindowAt(child.lVal);
    if (!window) return standard;
    *object = window.get();
    (*object)->AddRef();
    return S_OK;
}

// The facts are the object's own while its window lives; after that the forwarding below
// answers for them too, with RPC_E_DISCONNECTED.
HRESULT AnnotatedAccessible::get_accName(VARIANT child, BSTR* name) {
    if (IsSelf(child) && !facts_.name.empty() && Alive()) return Text(facts_.name, name);
    return AccessibleProxy::get_accName(child, name);
}

HRESULT AnnotatedAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (IsSelf(child) && facts_.role != 0 && Alive()) return Role(facts_.role, role);
    return AccessibleProxy::get_accRole(child, role);
}

HRESULT AnnotatedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (IsSelf(child) && !facts_.description.empty() && Alive())
        return Text(facts_.description, description);
    return AccessibleProxy::get_accDescription(child, description);
}

LRESULT AnswerWithFacts(HWND hwnd, WPARAM wParam, AccessibleFacts facts) noexcept {
    return AnswerClientObject<AnnotatedAccessible>(hwnd, wParam, std::move(facts));
}

}  // namespace quillfen
