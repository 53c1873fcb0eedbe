// What screen readers ask of the windows we own. The accessibility libraries (oleacc,
// oleaut32) are loaded at the first question: the program starts without them.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <new>
#include <string_view>
#include <utility>

#include "ui/win32/ErrorBoundary.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Text.h"

struct IRawElementProviderSimple;

namespace quillfen {

// The functions of the accessibility libraries the program calls; each null until loaded,
// or where the system has none.
struct AccessibilityApi {
    HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    BSTR(WINAPI* sysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
    void(WINAPI* sysFreeString)(BSTR) = nullptr;
};
// Loads the libraries at the first call; later calls return what that one found.
const AccessibilityApi& Accessibility() noexcept;

// The UI Automation functions the program calls, from uiautomationcore, loaded at the
// first call. Each is null where the system lacks it: the notification event came with
// Windows 10 1709, and Wine 8 has none.
struct UiAutomationApi {
    BOOL(WINAPI* clientsAreListening)() = nullptr;
    HRESULT(WINAPI* hostProviderFromHwnd)(HWND, IRawElementProviderSimple**) = nullptr;
    HRESULT(WINAPI* raiseNotificationEvent)(IRawElementProviderSimple*, int kind, int processing,
                                            BSTR text, BSTR activityId) = nullptr;
};
const UiAutomationApi& UiAutomation() noexcept;

// A string for a client to free; null when there is no text or no oleaut32.
BSTR MakeBstr(std::wstring_view text) noexcept;

// An accessible object that answers as the system's own object for the window does, so
// that a derived class overrides only what it knows better (a name, a role, children).
// Reference counted as COM asks; made by MakeAccessible, never deleted by hand. Once its
// window is gone every question fails with RPC_E_DISCONNECTED: a client may hold the
// object longer than the window lives. Its methods never show anything and let no
// exception out; they answer an error code instead.
class AccessibleProxy : public IAccessible, public IEnumVARIANT {
public:
    AccessibleProxy(HWND hwnd, LONG objectId) noexcept;
    AccessibleProxy(const AccessibleProxy&) = delete;
    AccessibleProxy& operator=(const AccessibleProxy&) = delete;
    virtual ~AccessibleProxy() = default;

    // The answer to WM_GETOBJECT with this object; 0 (the system answers alone) when the
    // libraries are missing or the object cannot be marshalled.
    LRESULT Answer(WPARAM wParam) noexcept;
    HWND hwnd() const noexcept { return hwnd_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: not offered; clients use the vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override;
    // IAccessible: each passes the question on to the system's object.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;
    // IEnumVARIANT, offered only where ChildrenAreWindows(): the system's enumeration of
    // the child windows, each as the system's object for it.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* children, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

protected:
    // True where the object's children are its window's child windows, as the system's
    // object gives them; false where a derived class makes children of its own.
    virtual bool ChildrenAreWindows() const noexcept { return false; }
    // The system's object for the child window at a 1-based place in its enumeration, for
    // the clients that ask get_accChild by place; null where there is none.
    ComPtr<IDispatch> ChildWindowAt(LONG place) noexcept;
    bool Alive() const noexcept { return ::IsWindow(hwnd_) != FALSE; }
    // The system's object for the window, null where oleacc is missing.
    IAccessible* Standard() const noexcept { return standard_.get(); }
    static bool IsSelf(const VARIANT& child) noexcept {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }
    // Puts text into an out-parameter as a BSTR: S_OK, or S_FALSE for no text.
    static HRESULT Text(std::wstring_view text, BSTR* out) noexcept;
    static HRESULT Role(LONG role, VARIANT* out) noexcept;

private:
    // The system object's enumerator, which Next, Skip, Reset and Clone pass on to.
    IEnumVARIANT* Enumerator() noexcept;

    HWND hwnd_;
    ComPtr<IAccessible> standard_;
    ComPtr<IEnumVARIANT> children_;
    LONG references_ = 1;
};

// What a window's object says in place of the system's guesses; empty parts are left to
// the system's object.
struct AccessibleFacts {
    WideString name;
    LONG role = 0;
    WideString description;
};

// The system's object with some answers about the object itself replaced. It keeps
// copies, never the window's C++ object: a client may hold it after the window is gone.
// Its children are the window's child windows, found by place as by enumeration.
class AnnotatedAccessible : public AccessibleProxy {
public:
    AnnotatedAccessible(HWND hwnd, LONG objectId, AccessibleFacts facts) noexcept
        : AccessibleProxy(hwnd, objectId), facts_(std::move(facts)) {}

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;

protected:
    bool ChildrenAreWindows() const noexcept override { return true; }

private:
    AccessibleFacts facts_;
};

// True when a WM_GETOBJECT asks for the object of the window's client area. The id comes
// as a 32-bit value that a 64-bit build must not sign-extend before comparing.
inline bool AsksForClientObject(LPARAM lParam) noexcept {
    return static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT;
}
// The answer to a WM_GETOBJECT for the client area: the system's object with the facts.
// 0 (the system answers alone) where oleacc is missing or the object cannot be made.
LRESULT AnswerWithFacts(HWND hwnd, WPARAM wParam, AccessibleFacts facts) noexcept;

// Runs an accessible object's answer: an escaping error becomes E_OUTOFMEMORY or E_FAIL.
template <typename F>
HRESULT Answering(F&& answer) noexcept {
    try {
        return std::forward<F>(answer)();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// A new accessible object of type T, holding the one reference the caller receives.
template <typename T, typename... Args>
ComPtr<T> MakeAccessible(Args&&... args) {
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

// The answer to a WM_GETOBJECT for the client area with a new object of type T made from
// the window and the facts; 0 (the system answers alone) where oleacc is missing or the
// object cannot be made.
template <typename T>
LRESULT AnswerClientObject(HWND hwnd, WPARAM wParam, AccessibleFacts facts) noexcept {
    // The system's object is made by oleacc: without it there is nothing to annotate.
    if (!Accessibility().createStdAccessibleObject) return 0;
    return Quietly(0, [&] {
        // The client's reference is taken by the answer; this one ends here.
        const auto object = MakeAccessible<T>(hwnd, OBJID_CLIENT, std::move(facts));
        return object->Answer(wParam);
    });
}

}  // namespace quillfen
