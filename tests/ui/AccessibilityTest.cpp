// What a screen reader learns, asked as one asks, and the last-resort box's font.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <cstdlib>
#include <cwchar>
#include <stdexcept>

#include "GuiTestSupport.h"
#include "tests/common/OpenDialogs.h"
#include "ui/forms/About.h"
#include "ui/forms/MessageDialogs.h"
#include "ui/win32/Accessibility.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/LiveRegion.h"

namespace quillfen::testing {
namespace {

// WM_GETOBJECT, and the object across COM, in the apartment the program's start-up joined.
ComPtr<IAccessible> ClientObject(HWND hwnd) {
    ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(object.put()));
    return object;
}

// Name, description and role of the object itself, or of one of its simple elements.
std::tuple<std::wstring, std::wstring, LONG> Ask(IAccessible* object, LONG child = CHILDID_SELF) {
    VARIANT self{}, role{};
    self.vt = VT_I4;
    self.lVal = child;
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

using Event = std::array<LONG_PTR, 4>;  // event, window, object, child
std::vector<Event> g_events;
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND h, LONG object, LONG child, DWORD, DWORD) {
    g_events.push_back({static_cast<LONG_PTR>(event), reinterpret_cast<LONG_PTR>(h), object, child});
}
// In context: Wine gives an out-of-context event to this thread at its next pump only, and
// drops it if the window is gone by then, as a message dialog is when its call returns.
auto WatchEvents(DWORD first, DWORD last) {
    g_events.clear();
    return std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, decltype(&::UnhookWinEvent)>(
        ::SetWinEventHook(first, last, ::GetModuleHandleW(nullptr), &Record,
                          ::GetCurrentProcessId(), ::GetCurrentThreadId(), WINEVENT_INCONTEXT),
        &::UnhookWinEvent);
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
    // A client may keep the object; once the window is gone it is cut off.
    VARIANT self{}, role{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    EXPECT_EQ(kept->get_accName(self, &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(kept->get_accRole(self, &role), RPC_E_DISCONNECTED);
    self.lVal = kLatestTextChild;
    EXPECT_EQ(kept->get_accName(self, &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
}

// Outside every apartment the program's objects cannot be marshalled: each answer is 0,
// which lets the system answer, where an error handed on would leave the client with none.
TEST(AccessibleFailures, AnObjectThatCannotBeMarshalledLeavesTheAnswerToTheSystem) {
    MainWindowFixture f;
    const HWND windows[] = {f.Control("LabeledEdit1"), f.Control("Memo1"),
                            f.form->ActionMainMenuBar1().hwnd()};
    // The start-up's apartment, and any the platform joined besides, are left for a moment.
    int left = 0;
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    while (::CoGetApartmentType(&type, &qualifier) == S_OK && left < 16) {
        ::CoUninitialize();
        ++left;
    }
    std::vector<LRESULT> answers;
    for (const HWND window : windows)
        answers.push_back(::SendMessageW(window, WM_GETOBJECT, 0, OBJID_CLIENT));
    while (left-- > 0) ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    EXPECT_EQ(answers, std::vector<LRESULT>(std::size(windows), 0));
    EXPECT_TRUE(ClientObject(windows[0])) << "and in the apartment again, an object";
}

// The child window a child object stands for.
HWND WindowOf(IDispatch* child) {
    ComPtr<IAccessible> object;
    HWND window = nullptr;
    if (child) child->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(object.put()));
    if (object) ::WindowFromAccessibleObject(object.get(), &window);
    return window;
}

// The windows of a dialog's children as AccessibleChildren finds them, then by place
// through get_accChild: the system's objects of the child windows, which a screen reader
// reads by name. The enumeration asked back for IUnknown must lead to the dialog's object.
std::array<std::vector<HWND>, 3> ChildrenOf(IAccessible* dialog, HWND hwnd) {
    LONG count = 0, got = 0;
    dialog->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count));
    ::AccessibleChildren(dialog, 0, count, children.data(), &got);
    std::array<std::vector<HWND>, 3> windows;  // enumerated, by place, the child windows
    for (LONG i = 0; i < got; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        windows[0].push_back(WindowOf(child.vt == VT_DISPATCH ? child.pdispVal : nullptr));
        ::VariantClear(&child);
        VARIANT place{};
        place.vt = VT_I4;
        place.lVal = i + 1;
        ComPtr<IDispatch> placed;
        dialog->get_accChild(place, placed.put());
        windows[1].push_back(WindowOf(placed.get()));
    }
    for (HWND h = ::GetWindow(hwnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        windows[2].push_back(h);
    ComPtr<IEnumVARIANT> enumeration;
    ComPtr<IUnknown> back, self;
    dialog->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(enumeration.put()));
    if (enumeration)
        enumeration->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(back.put()));
    dialog->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(self.put()));
    if (!back || back.get() != self.get()) windows[0].clear();
    return windows;
}

TEST(AccessibleDialogs, MessageDialogsAndTheAboutBoxAreDialogsWithTitleAndText) {
    const std::pair<TMsgDlgType, const char*> rows[] = {
        {TMsgDlgType::mtWarning, "そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや"},
        {TMsgDlgType::mtError, "出発・到着が同時刻になっています"},
        {TMsgDlgType::mtInformation, "情報"},
        {TMsgDlgType::mtConfirmation, "確認"},
        {TMsgDlgType::mtCustom, "猫がいません"},
        {TMsgDlgType::mtCustom, nullptr}};  // the About box
    for (const auto& [kind, text] : rows) {
        MainWindowFixture f;
        TAboutBox& about = f.app->CreateForm<TAboutBox>();
        HWND dialog = nullptr;
        std::tuple<std::wstring, std::wstring, LONG> facts;
        std::wstring title;
        std::array<std::vector<HWND>, 3> children;
        ActivationWatch watch([&](HWND h) {
            if (dialog || !testsupport::IsModalDialog(h)) return;
            RunSoon([&, h] {
                const ComPtr<IAccessible> object = ClientObject(dialog = h);
                facts = Ask(object.get());
                children = ChildrenOf(object.get(), h);
                title = TextOf(h);
                ::PostMessageW(h, WM_CLOSE, 0, 0);
            });
        });
        const auto events = WatchEvents(EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGEND);
        text ? ShowMessageDialog(text, kind, {mbOK}, 0) : about.ShowModal();
        EXPECT_FALSE(title.empty());
        EXPECT_EQ(facts, std::make_tuple(title,
                                         text ? Widen(text).c_str()
                                              : L"Quillfen\r\nVersion 2.03b\r\nCopyright © 2026 "
                                                L"Quillfen 開発チーム\r\nフリーソフトウェアです。",
                                         ROLE_SYSTEM_DIALOG));
        EXPECT_FALSE(children[2].empty());
        EXPECT_EQ(children[0], children[2]) << "enumerated, the dialog's own interface";
        EXPECT_EQ(children[1], children[2]) << "by place";
        const auto window = reinterpret_cast<LONG_PTR>(dialog);
        EXPECT_EQ(g_events, (std::vector<Event>{
                                {EVENT_SYSTEM_DIALOGSTART, window, OBJID_WINDOW, CHILDID_SELF},
                                {EVENT_SYSTEM_DIALOGEND, window, OBJID_WINDOW, CHILDID_SELF}}));
    }
}

// Alt+C pressed in the focused first field, caret after its text: each outcome but the
// error that escapes the handler selects the text for the next entry, then announces the
// memo's text with its live-region event, the focus already back in the field.
TEST(ResultAnnouncement, EachOutcomeLeavesTheFirstFieldSelectedAndIsAnnouncedLast) {
    const std::pair<std::array<const wchar_t*, 7>, bool> rows[] = {
        // fields, escapes
        {{L"9", L"05", L"00", L"11", L"20", L"30", L"0"}, false},
        {{L"9", L"05", L"ab", L"11", L"20", L"30", L"0"}, false},
        {{L"23", L"30", L"00", L"0", L"15", L"00", L""}, false},  // the wrong-order dialog
        {{L"9", L"05", L"00", L"11", L"20", L"30", L"0"}, true}};
    for (const auto& [fields, escapes] : rows) {
        MainWindowFixture f;
        f.form->playClip = [] { return true; };
        if (escapes) {
            f.form->calculate = [](const auto&, std::uint8_t) -> TripResult {
                throw std::runtime_error("'9' は時刻ではありません");
            };
        }
        std::vector<std::pair<std::string, HWND>> announced;  // text, focus
        f.form->announce = [&, real = f.form->announce](HWND memo, const std::string& text) {
            announced.emplace_back(text, ::GetFocus());
            real(memo, text);
        };
        f.SetTimeFields({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
        ::SetWindowTextW(f.Control("LabeledEdit7"), fields[6]);
        const HWND first = f.Control("LabeledEdit1");
        ::SetFocus(first);
        const int length = ::GetWindowTextLengthW(first);
        ::SendMessageW(first, EM_SETSEL, length, length);
        ActivationWatch closer([](HWND h) {
            if (testsupport::IsModalDialog(h)) ::PostMessageW(h, WM_CLOSE, 0, 0);
        });
        const auto events = WatchEvents(0x8019, 0x8019);  // EVENT_OBJECT_LIVEREGIONCHANGED
        PressAlt(*f.app, L'c');
        EXPECT_EQ(::GetFocus(), first);
        // The escaping error leaves both to the last-resort box, which gives the focus back.
        if (escapes) {
            EXPECT_TRUE(announced.empty() && g_events.empty());
            continue;
        }
        EXPECT_EQ(Selection(first), std::make_pair(0, length));
        const HWND memo = f.Control("Memo1");
        EXPECT_EQ(announced,
                  (std::vector<std::pair<std::string, HWND>>{{GetWindowTextUtf8(memo), first}}));
        EXPECT_EQ(g_events, (std::vector<Event>{{0x8019, reinterpret_cast<LONG_PTR>(memo),
                                                 OBJID_CLIENT, kLatestTextChild}}));
        // What a screen reader speaks: the name of the object the event names, the memo's
        // lines as one; the memo itself keeps its name.
        ComPtr<IAccessible> source;
        VARIANT child{};
        ::AccessibleObjectFromEvent(memo, OBJID_CLIENT, kLatestTextChild, source.put(), &child);
        std::wstring heard;
        if (source) heard = std::get<0>(Ask(source.get(), child.lVal));
        std::wstring lines = Widen(GetWindowTextUtf8(memo)).c_str();
        for (size_t at; (at = lines.find(L"\r\n")) != std::wstring::npos;)
            lines.replace(at, 2, L" ");
        EXPECT_EQ(heard, lines);
        EXPECT_EQ(std::get<0>(Ask(ClientObject(memo).get())), L"結果");
    }
}

// With the setup's message font and with one lacking the Japanese glyphs. For a screenshot,
// QUILLFEN_HOLD_ERROR_BOX_MS keeps the box up that long.
HWND g_box = nullptr;
void CALLBACK PressOk(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::PostMessageW(::GetDlgItem(g_box, IDOK), BM_CLICK, 0, 0);
}

TEST(ErrorBoxFont, TheTextKeepsTheBoxFontWhereItCoversElseGetsOneThatDoesAndFits) {
    HWND& box = g_box;
    const char* hold = std::getenv("QUILLFEN_HOLD_ERROR_BOX_MS");
    NONCLIENTMETRICSW saved{}, changed{};
    saved.cbSize = sizeof saved;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    for (const wchar_t* face : {static_cast<const wchar_t*>(nullptr), L"DejaVu Sans"}) {
        changed = saved;
        if (face) {
            wcsncpy(changed.lfMessageFont.lfFaceName, face, LF_FACESIZE - 1);
            changed.lfMessageFont.lfCharSet = ANSI_CHARSET;
        }
        ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0);
        MainWindowFixture f;
        f.form->calculate = [](const auto&, std::uint8_t) -> TripResult {
            throw std::runtime_error("到着時刻を計算できません");
        };
        const std::wstring text = L"到着時刻を計算できません.";
        bool sameFont = false, covered = false, boxCovers = true, fits = false;
        box = nullptr;
        // Read once the box has laid itself out: it is activated while it does.
        ActivationWatch watch([&](HWND h) {
            if (box || testsupport::ClassNameOf(h) != L"#32770") return;
            RunSoon([&, h] {
                const auto font = [h](int id) {
                    return reinterpret_cast<HFONT>(::SendDlgItemMessageW(h, id, WM_GETFONT, 0, 0));
                };
                const RECT label = RectInParent(::GetDlgItem(h, 0xFFFF));
                const SIZE need =
                    MeasureText(font(0xFFFF), text, label.right - label.left, DT_EXPANDTABS);
                fits = need.cx <= label.right - label.left && need.cy <= label.bottom - label.top &&
                       RectInParent(::GetDlgItem(h, IDOK)).top >= label.bottom;
                sameFont = font(0xFFFF) == font(IDOK);
                covered = FontCovers(font(0xFFFF), text);
                boxCovers = FontCovers(font(IDOK), text);
                ::SetTimer(nullptr, 0, hold ? std::atoi(hold) : 1, &PressOk);
            });
            box = h;
        });
        PressAlt(*f.app, L'c');
        ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(covered);
        EXPECT_TRUE(face == nullptr || !boxCovers) << "DejaVu Sans has no Japanese glyphs";
        EXPECT_EQ(sameFont, boxCovers) << "the box's own font where it covers";
        EXPECT_TRUE(fits) << "the text fits its label, the button below it";
    }
}

}  // namespace
}  // namespace quillfen::testing
