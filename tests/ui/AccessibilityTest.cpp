// What a screen reader learns, asked as one asks.
#include <gtest/gtest.h>

#include <oleacc.h>


#include "GuiTestSupport.h"
#include "ui/win32/Accessibility.h"

namespace quillfen::testing {
namespace {

// WM_GETOBJECT, and the object across COM.
ComPtr<IAccessible> ClientObject(HWND hwnd) {
    static const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IAccessible> object;
    if (SUCCEEDED(com) || com == RPC_E_CHANGED_MODE)
        ::AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                     reinterpret_cast<void**>(object.put()));
    return object;
}

// Name, description and role of the object itself.
std::tuple<std::wstring, std::wstring, LONG> Ask(IAccessible* object) {
    VARIANT self{}, role{};
    self.vt = VT_I4;
    BSTR name = nullptr, description = nullptr;
    if (object) {
        object->get_accName(self, &name);
        object->get_accDescription(self, &description);
        object->get_accRole(self, &role);
    }
    const auto take = [](BSTR text) {
        const std::wstring taken = text ? text : L"";
        ::SysFreeString(text);
        return taken;
    };
    return {take(name), take(description), role.vt == VT_I4 ? role.lVal : 0};
}

TEST(AccessibleNames, FieldsAndMemoAreNamedBeyondTheirLabelsAlsoAfterTheWindowIsGone) {
    // clang-format off
    const wchar_t* const names[] = {L"出発 時", L"出発 分", L"出発 秒", L"到着 時", L"到着 分",
                                    L"到着 秒", L"夜行に乗る(0 or 1)", L"結果"};
    // clang-format on
    ComPtr<IAccessible> kept;
    {
        MainWindowFixture f;
        for (int i = 0; i < 8; ++i) {
            const std::string control = i < 7 ? "LabeledEdit" + std::to_string(i + 1) : "Memo1";
            const auto [name, description, role] =
                Ask(ClientObject(f.Control(control.c_str())).get());
            EXPECT_EQ(name, names[i]) << control;
            EXPECT_EQ(role, ROLE_SYSTEM_TEXT) << control << ": the rest is the system's";
        }
        kept = ClientObject(f.Control("Memo1"));
    }
    EXPECT_EQ(std::get<0>(Ask(kept.get())), L"結果") << "a client may keep the object";
}

}  // namespace
}  // namespace quillfen::testing
