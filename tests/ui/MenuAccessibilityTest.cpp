// The menu bar for those who do not read it off the screen as drawn: high-contrast
// colours, named drop-down items, and the bar as a screen reader walks it and hears it.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <tuple>
#include <vector>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"
#include "ui/win32/Accessibility.h"

namespace quillfen::testing {
namespace {

TEST(MenuPalette, HighContrastTakesTheSchemesColoursAndTheOrdinaryLookStaysAsItWas) {
    const SystemColours s{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const MenuPalette normal = MakeMenuPalette(s, false), high = MakeMenuPalette(s, true);
    const struct {
        COLORREF MenuPalette::*colour;
        COLORREF normal, high;
    } rows[] = {
        {&MenuPalette::color, s.buttonFace, s.menu},
        {&MenuPalette::menuColor, s.window, s.menu},
        {&MenuPalette::fontColor, s.windowText, s.menuText},
        {&MenuPalette::selectedColor, RGB(198, 211, 239), s.highlight},
        {&MenuPalette::selectedFontColor, RGB(0, 0, 0), s.highlightText},
        {&MenuPalette::btnFrameColor, RGB(49, 105, 198), s.windowText},
        {&MenuPalette::btnSelectedColor, s.buttonFace, s.menu},
        {&MenuPalette::frameOuter, RGB(138, 134, 122), s.windowText},  // and the separator
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(normal.*rows[i].colour, rows[i].normal) << i;
        EXPECT_EQ(high.*rows[i].colour, rows[i].high) << i << " in high contrast";
    }
}

TEST(MenuHighContrast, TheBarRedrawsInChangedSystemColours) {
    MainWindowFixture f;
    MenuBar& bar = f.form->ActionMainMenuBar1();
    const int ids[] = {COLOR_BTNFACE, COLOR_MENU, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT};
    const COLORREF scheme[] = {RGB(10, 20, 30), RGB(0, 0, 1), RGB(250, 250, 250),
                               RGB(26, 235, 255)};
    COLORREF saved[4];
    for (int i = 0; i < 4; ++i) saved[i] = ::GetSysColor(ids[i]);
    ::SetSysColors(4, ids, scheme);
    ::SendMessageW(f.form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    const RECT first = bar.EntryRect(0), second = bar.EntryRect(1);
    EXPECT_EQ(Capture::OfClient(bar.hwnd()).Pixel(first.left + 2, 2), scheme[0]);
    // The platform here cannot switch high contrast on: the bar is told it is on.
    bar.SetPaletteSource([] { return MakeMenuPalette(CurrentSystemColours(), true); });
    bar.EnterMenuMode();
    const Capture c = Capture::OfClient(bar.hwnd());
    MENUINFO dropDown{};
    dropDown.cbSize = sizeof dropDown;
    dropDown.fMask = MIM_BACKGROUND;
    ::GetMenuInfo(bar.DropDown(0), &dropDown);
    LOGBRUSH brush{};
    ::GetObjectW(dropDown.hbrBack, sizeof brush, &brush);
    bar.LeaveMenuMode();
    ::SetSysColors(4, ids, saved);
    EXPECT_EQ(c.Pixel(first.left + 2, 2), scheme[3]) << "highlighted";
    EXPECT_EQ(c.Pixel(first.left, 4), scheme[2]) << "its frame";
    EXPECT_EQ(c.Pixel(second.left + 2, 2), scheme[1]) << "the other entry";
    EXPECT_EQ(brush.lbColor, scheme[1]) << "the drop-downs";
}

TEST(MenuItemNames, EachItemsDataBeginsWithItsCaptionForScreenReaders) {
    MainWindowFixture f;
    const wchar_t* expected[2][4] = {
        {L"結果をクリップボードにコピー(&C)", L"最小化(&M)", nullptr, L"終了(&X)"},
        {L"バージョン情報(&A)"}};
    for (int top : {0, 1}) {
        const HMENU menu = f.form->ActionMainMenuBar1().DropDown(top);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_DATA;
            ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
            ASSERT_TRUE(msaa && msaa->dwMSAASignature == DWORD(MSAA_MENU_SIG)) << top << i;
            const std::wstring text = msaa->pszWText ? msaa->pszWText : L"<none>";
            EXPECT_EQ(text, expected[top][i] ? expected[top][i] : L"<none>");
            EXPECT_EQ(msaa->cchWText, msaa->pszWText ? text.size() : 0u);
        }
    }
}

// --- The bar as a screen reader walks it ---

ComPtr<IAccessible> ObjectOf(const MenuBar& bar) {
    ComPtr<IAccessible> object;
    // Not IID_IAccessible: MinGW's oleacc import library resolves it to a code thunk.
    ::AccessibleObjectFromWindow(bar.hwnd(), OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(object.put()));
    return object;
}

VARIANT Child(LONG id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// -1 for no answer (S_FALSE, VT_EMPTY or a failure).
LONG Integer(HRESULT hr, const VARIANT& v) { return hr == S_OK && v.vt == VT_I4 ? v.lVal : -1; }

using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring Text(IAccessible* object, TextProperty property, LONG id) {
    BSTR text = nullptr;
    const HRESULT hr = (object->*property)(Child(id), &text);
    std::wstring out = text ? text : SUCCEEDED(hr) ? L"" : L"<failed>";
    ::SysFreeString(text);
    return out;
}

TEST(MenuBarAccessible, TheBarItsEntriesTheirStatesAndPlaces) {
    MainWindowFixture f;
    MenuBar& bar = f.form->ActionMainMenuBar1();
    const ComPtr<IAccessible> object = ObjectOf(bar);
    ASSERT_TRUE(object);
    VARIANT v{};
    LONG count = 0;
    EXPECT_EQ(Integer(object->get_accRole(Child(CHILDID_SELF), &v), v), ROLE_SYSTEM_MENUBAR);
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2);

    // Both entries' states at rest, in menu mode, after Right, then under the mouse.
    std::vector<LONG> states;
    auto takeStates = [&] {
        for (LONG id : {1, 2}) states.push_back(Integer(object->get_accState(Child(id), &v), v));
    };
    takeStates();
    bar.EnterMenuMode();
    takeStates();
    PressKey(*f.app, VK_RIGHT);
    takeStates();
    EXPECT_EQ(Integer(object->get_accFocus(&v), v), 2);
    bar.LeaveMenuMode();
    ::SendMessageW(bar.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(bar.EntryRect(1).left + 3, 5));
    takeStates();
    const LONG plain = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP;
    const LONG hot = plain | STATE_SYSTEM_HOTTRACKED, focused = hot | STATE_SYSTEM_FOCUSED;
    EXPECT_EQ(states, (std::vector{plain, plain, focused, plain, plain, focused, plain, hot}));

    const wchar_t* names[][2] = {{L"猫の手(P)", L"Alt+P"}, {L"ヘルプ(H)", L"Alt+H"}};
    for (LONG id : {1, 2}) {
        IDispatch* element = nullptr;
        EXPECT_EQ(object->get_accChild(Child(id), &element), S_FALSE) << "a simple element";
        EXPECT_EQ(Integer(object->get_accRole(Child(id), &v), v), ROLE_SYSTEM_MENUITEM);
        EXPECT_EQ(Text(object.get(), &IAccessible::get_accName, id), names[id - 1][0]);
        EXPECT_EQ(Text(object.get(), &IAccessible::get_accKeyboardShortcut, id), names[id - 1][1]);
        EXPECT_EQ(Text(object.get(), &IAccessible::get_accDefaultAction, id), L"開く");
        RECT r = bar.EntryRect(id - 1);
        ::MapWindowPoints(bar.hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
        LONG x = 0, y = 0, w = 0, h = 0;
        object->accLocation(&x, &y, &w, &h, Child(id));
        EXPECT_EQ((std::vector{x, y, x + w, y + h}),
                  (std::vector{r.left, r.top, r.right, r.bottom}));
    }

    RECT client{};
    ::GetClientRect(bar.hwnd(), &client);
    // clang-format off
    const LONG moves[][3] = {{CHILDID_SELF, NAVDIR_FIRSTCHILD, 1}, {CHILDID_SELF, NAVDIR_LASTCHILD, 2},
                             {1, NAVDIR_NEXT, 2}, {1, NAVDIR_RIGHT, 2}, {2, NAVDIR_PREVIOUS, 1},
                             {2, NAVDIR_NEXT, -1}, {1, NAVDIR_LEFT, -1}, {1, NAVDIR_DOWN, -1}};
    const LONG hits[][2] = {{bar.EntryRect(0).left + 2, 1}, {bar.EntryRect(1).right - 2, 2},
                            {bar.EntryRect(1).right + 3, CHILDID_SELF}, {client.right + 3, -1}};
    // clang-format on
    for (const auto& m : moves) {
        EXPECT_EQ(Integer(object->accNavigate(m[1], Child(m[0]), &v), v), m[2]) << m[0] << m[1];
    }
    for (const auto& hit : hits) {
        POINT at{hit[0], 3};
        ::ClientToScreen(bar.hwnd(), &at);
        EXPECT_EQ(Integer(object->accHitTest(at.x, at.y, &v), v), hit[1]) << hit[0];
    }
}

TEST(MenuBarAccessible, TheDefaultActionOpensLaterAndAKeptObjectOutlivesTheBar) {
    ComPtr<IAccessible> object;
    {
        MainWindowFixture f;
        SoundLog sounds;
        const MenuBar& bar = f.form->ActionMainMenuBar1();
        object = ObjectOf(bar);
        ASSERT_TRUE(object);
        int opened = -1, highlighted = -1;
        sounds.OnDropDown([&] {
            opened = bar.OpenIndex();
            highlighted = HighlightedItem(bar.DropDown(1));
            PostKey(VK_ESCAPE);
        });
        EXPECT_EQ(object->accDoDefaultAction(Child(2)), S_OK);
        EXPECT_EQ(opened, -1) << "not inside the client's call: its loop is modal";
        Pump(*f.app);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(highlighted, 0);
    }
    LONG count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(Text(object.get(), &IAccessible::get_accName, 1), L"<failed>");
    EXPECT_EQ(object->accDoDefaultAction(Child(1)), RPC_E_DISCONNECTED);
}

// --- Events ---

using Event = std::tuple<DWORD, LONG, LONG>;  // event, object id, child id
HWND g_watched = nullptr;
std::vector<Event> g_events;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                          DWORD) {
    // Leaves out the platform's focus event for the bar's window, which names no entry.
    if (hwnd == g_watched && (event != EVENT_OBJECT_FOCUS || child != CHILDID_SELF))
        g_events.emplace_back(event, object, child);
}

TEST(MenuBarEvents, MenuStartThenFocusOnEachEntryThenMenuEnd) {
    using Use = void (*)(MainWindowFixture&, SoundLog&);
    const Use ways[] = {
        [](MainWindowFixture& f, SoundLog&) {  // menu mode: F10, Right, Escape
            ::SendMessageW(f.form->hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 0);
            PressKey(*f.app, VK_RIGHT);
            PressKey(*f.app, VK_ESCAPE);
        },
        [](MainWindowFixture& f, SoundLog& sounds) {  // drop-downs: Alt+P, Right, Escape
            sounds.OnDropDown([] { PostKey(VK_RIGHT); });
            sounds.OnDropDown([] { PostKey(VK_ESCAPE); });
            PressAlt(*f.app, L'p');
        },
    };
    for (const Use use : ways) {
        MainWindowFixture f;
        SoundLog sounds;
        g_watched = f.form->ActionMainMenuBar1().hwnd();
        g_events.clear();
        // Out of context: delivered on this thread while it handles its messages.
        const HWINEVENTHOOK hook =
            ::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &RecordEvent, ::GetCurrentProcessId(),
                              0, WINEVENT_OUTOFCONTEXT);
        use(f, sounds);
        Pump(*f.app);
        ::UnhookWinEvent(hook);
        EXPECT_EQ(g_events,
                  (std::vector<Event>{{EVENT_SYSTEM_MENUSTART, OBJID_CLIENT, CHILDID_SELF},
                                      {EVENT_OBJECT_FOCUS, OBJID_CLIENT, 1},
                                      {EVENT_OBJECT_FOCUS, OBJID_CLIENT, 2},
                                      {EVENT_SYSTEM_MENUEND, OBJID_CLIENT, CHILDID_SELF}}))
            << (use == ways[0] ? "menu mode" : "drop-downs");
    }
}

}  // namespace
}  // namespace quillfen::testing
