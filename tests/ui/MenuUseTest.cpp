// Using the menu bar from the keyboard and the mouse, the sounds it makes, and what
// each of the four commands does.
#include <windows.h>

#include <gtest/gtest.h>
#include <mmsystem.h>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"
#include "ui/win32/Clipboard.h"
#include "resources/VoiceClip.h"
#include "ui/forms/About.h"

namespace quillfen::testing {
namespace {

const wchar_t kPrompt[] = L"出発・到着時刻を入力してくだ\r\nさい。";

struct MenuFixture : MainWindowFixture {
    MenuBar& bar() const { return form->ActionMainMenuBar1(); }
    HMENU DropDown(int index) const { return bar().DropDown(index); }
    // Alt pressed and released alone, as the keyboard delivers it to the focused control.
    void PressAltAlone() { PressSystemKey(VK_MENU, true); }
    void PressF10() { PressSystemKey(VK_F10, false); }
    void PressSystemKey(WORD vk, bool alt) {
        HoldModifiers(false, false, alt);
        const LPARAM context = alt ? (1 << 29) : 0;
        const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        MSG down{::GetFocus(),
                 WM_SYSKEYDOWN,
                 vk,
                 1 | (static_cast<LPARAM>(scan) << 16) | context,
                 0,
                 {}};
        app->DispatchOne(down);
        HoldModifiers(false, false, false);
        MSG up{::GetFocus(),
               WM_SYSKEYUP,
               vk,
               static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)),
               0,
               {}};
        app->DispatchOne(up);
        Pump(*app);
    }
    SoundLog sounds;
};

void EnterTrip(MainWindowFixture& f, const std::array<const wchar_t*, 6>& texts) {
    for (int i = 0; i < 6; ++i) {
        ::SetWindowTextW(f.Control(("LabeledEdit" + std::to_string(i + 1)).c_str()), texts[i]);
    }
}

// --- Keyboard ---

TEST(MenuKeyboard, AltLetterOpensItsDropDownWithTheFirstItemHighlighted) {
    struct Case {
        wchar_t letter;
        int entry;
    } cases[] = {{L'p', 0}, {L'h', 1}, {L'P', 0}};
    for (const Case& c : cases) {
        MenuFixture f;
        const HWND focus = ::GetFocus();
        int open = -2, highlighted = -2;
        f.sounds.OnDropDown([&] {
            open = f.bar().OpenIndex();
            highlighted = HighlightedItem(f.DropDown(c.entry));
            PostKey(VK_ESCAPE);
        });
        PressAlt(*f.app, c.letter);
        EXPECT_EQ(open, c.entry) << char(c.letter);
        EXPECT_EQ(highlighted, 0) << char(c.letter);
        EXPECT_EQ(f.bar().OpenIndex(), -1);
        EXPECT_FALSE(f.bar().InMenuMode());
        EXPECT_EQ(::GetFocus(), focus);
    }
}

TEST(MenuKeyboard, LeftAndRightMoveBetweenOpenDropDowns) {
    MenuFixture f;
    std::vector<int> opened, highlighted;
    auto record = [&](WORD next) {
        return [&, next] {
            opened.push_back(f.bar().OpenIndex());
            highlighted.push_back(HighlightedItem(f.DropDown(f.bar().OpenIndex())));
            PostKey(next);
        };
    };
    f.sounds.OnDropDown(record(VK_RIGHT));
    f.sounds.OnDropDown(record(VK_RIGHT));  // wraps round to the first entry
    f.sounds.OnDropDown(record(VK_LEFT));   // and back round to the last
    f.sounds.OnDropDown(record(VK_ESCAPE));
    PressAlt(*f.app, L'p');
    EXPECT_EQ(opened, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(highlighted, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_FALSE(f.bar().InMenuMode());
}

TEST(MenuKeyboard, UpDownHomeEndWalkTheItemsAndSkipTheSeparator) {
    MenuFixture f;
    struct Step {
        WORD key;
        int highlighted;
    } steps[] = {{VK_DOWN, 1}, {VK_DOWN, 3}, {VK_DOWN, 0}, {VK_UP, 3},
                 {VK_UP, 1},   {VK_END, 3},  {VK_HOME, 0}};
    std::vector<int> seen;
    std::function<void(size_t)> step = [&](size_t i) {
        seen.push_back(HighlightedItem(f.DropDown(0)));
        if (i == std::size(steps)) {
            PostKey(VK_ESCAPE);
            return;
        }
        PostKey(steps[i].key);
        RunSoon([&, i] { step(i + 1); });
    };
    f.sounds.OnDropDown([&] { step(0); });
    PressAlt(*f.app, L'p');
    std::vector<int> expected{0};
    for (const Step& s : steps) expected.push_back(s.highlighted);
    EXPECT_EQ(seen, expected);
}

TEST(MenuKeyboard, AltAloneAndF10EnterMenuModeOnTheFirstEntry) {
    for (bool f10 : {false, true}) {
        SCOPED_TRACE(f10 ? "F10" : "Alt");
        MenuFixture f;
        const HWND field = f.Control("LabeledEdit2");
        f.form->FocusControl(field);
        f10 ? f.PressF10() : f.PressAltAlone();
        EXPECT_TRUE(f.bar().InMenuMode());
        EXPECT_EQ(f.bar().HotIndex(), 0);
        EXPECT_EQ(::GetFocus(), f.bar().hwnd());
        PressKey(*f.app, VK_RIGHT);
        EXPECT_EQ(f.bar().HotIndex(), 1);
        PressKey(*f.app, VK_RIGHT);
        EXPECT_EQ(f.bar().HotIndex(), 0);
        PressKey(*f.app, VK_LEFT);
        EXPECT_EQ(f.bar().HotIndex(), 1);
        // The same key again leaves menu mode and gives the focus back.
        f10 ? f.PressF10() : f.PressAltAlone();
        EXPECT_FALSE(f.bar().InMenuMode());
        EXPECT_EQ(::GetFocus(), field);
        EXPECT_TRUE(f.sounds.Calls().empty()) << "no drop-down opened";
    }
}

TEST(MenuKeyboard, InMenuModeEscapeLeavesAndDownOpensTheHighlightedEntry) {
    MenuFixture f;
    const HWND field = ::GetFocus();
    f.PressAltAlone();
    PressKey(*f.app, VK_ESCAPE);
    EXPECT_FALSE(f.bar().InMenuMode());
    EXPECT_EQ(::GetFocus(), field);

    for (WORD open : {VK_DOWN, VK_UP, VK_RETURN}) {
        f.PressAltAlone();
        ASSERT_TRUE(f.bar().InMenuMode()) << open;
        PressKey(*f.app, VK_RIGHT);
        ASSERT_EQ(f.bar().HotIndex(), 1) << open;
        int entry = -1, highlighted = -1;
        f.sounds.OnDropDown([&] {
            entry = f.bar().OpenIndex();
            highlighted = HighlightedItem(f.DropDown(1));
            PostKey(VK_ESCAPE);
        });
        PressKey(*f.app, open);
        EXPECT_EQ(entry, 1) << open;
        EXPECT_EQ(highlighted, 0) << open;
        EXPECT_FALSE(f.bar().InMenuMode());
        EXPECT_EQ(::GetFocus(), field);
    }
}

TEST(MenuKeyboard, AltCStillPressesCalculateAndOpensNoMenu) {
    MenuFixture f;
    int calculations = 0;
    f.form->calculate = [&](const std::array<std::string, 6>& texts, std::uint8_t night) {
        ++calculations;
        return CalculateTrip(texts, night);
    };
    f.form->playClip = [] { return true; };
    ActivationWatch closeDialogs([](HWND h) {
        if (ClassOf(h) == L"TMessageForm") RunSoon([h] { ::PostMessageW(h, WM_CLOSE, 0, 0); });
    });
    PressAlt(*f.app, L'c');
    EXPECT_EQ(calculations, 1);
    for (const std::wstring& call : f.sounds.Calls()) EXPECT_NE(call, L"MenuPopup");
}

// Alt+Space goes to the window menu, run by the platform's own menu loop.
HHOOK g_windowMenuHook = nullptr;
int g_windowMenuLoops = 0;
LRESULT CALLBACK WatchWindowMenu(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU) {
        ++g_windowMenuLoops;
        ::EndMenu();
    }
    return ::CallNextHookEx(g_windowMenuHook, code, wParam, lParam);
}

TEST(MenuKeyboard, AltSpaceIsLeftToTheWindowMenu) {
    MenuFixture f;
    g_windowMenuLoops = 0;
    g_windowMenuHook =
        ::SetWindowsHookExW(WH_MSGFILTER, &WatchWindowMenu, nullptr, ::GetCurrentThreadId());
    PressAlt(*f.app, L' ');
    ::UnhookWindowsHookEx(g_windowMenuHook);
    EXPECT_GT(g_windowMenuLoops, 0);
    EXPECT_FALSE(f.bar().InMenuMode());
    for (const std::wstring& call : f.sounds.Calls()) EXPECT_NE(call, L"MenuPopup");
}

// --- Mouse ---

POINT EntryCentre(const MenuBar& bar, int index) {
    const RECT r = bar.EntryRect(index);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(MenuMouse, HoverHighlightsAnEntryUntilTheMouseLeaves) {
    MenuFixture f;
    const HWND bar = f.bar().hwnd();
    for (int index : {0, 1}) {
        const POINT at = EntryCentre(f.bar(), index);
        ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(f.bar().HotIndex(), index);
    }
    const RECT last = f.bar().EntryRect(1);
    ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(last.right + 5, 3));
    EXPECT_EQ(f.bar().HotIndex(), -1) << "the bar right of its entries";
    ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(EntryCentre(f.bar(), 0).x, 3));
    ::SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(f.bar().HotIndex(), -1);
    EXPECT_FALSE(f.bar().InMenuMode());
    EXPECT_EQ(::FindWindowW(L"tooltips_class32", nullptr), nullptr) << "no tooltips";
}

TEST(MenuMouse, AClickOpensTheDropDownAndMovingOverTheOtherEntrySwitches) {
    MenuFixture f;
    const HWND focus = ::GetFocus();
    POINT other = EntryCentre(f.bar(), 1);
    ::ClientToScreen(f.bar().hwnd(), &other);
    std::vector<int> opened, highlighted;
    f.sounds.OnDropDown([&] {
        opened.push_back(f.bar().OpenIndex());
        highlighted.push_back(HighlightedItem(f.DropDown(0)));
        ::SetCursorPos(other.x, other.y);
        ::PostMessageW(f.bar().hwnd(), WM_MOUSEMOVE, 0, 0);
    });
    f.sounds.OnDropDown([&] {
        opened.push_back(f.bar().OpenIndex());
        highlighted.push_back(HighlightedItem(f.DropDown(1)));
        PostKey(VK_ESCAPE);
    });
    const POINT first = EntryCentre(f.bar(), 0);
    Click(*f.app, f.bar().hwnd(), first.x, first.y);
    EXPECT_EQ(opened, (std::vector<int>{0, 1}));
    EXPECT_EQ(highlighted, (std::vector<int>{-1, -1})) << "nothing highlighted by the mouse";
    EXPECT_EQ(::GetFocus(), focus);
    ::SetCursorPos(0, 0);
}

TEST(MenuMouse, AClickOnTheOpenEntryClosesItsDropDown) {
    MenuFixture f;
    POINT entry = EntryCentre(f.bar(), 1);
    ::ClientToScreen(f.bar().hwnd(), &entry);
    f.sounds.OnDropDown([&] {
        ::SetCursorPos(entry.x, entry.y);
        ::PostMessageW(f.bar().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::PostMessageW(f.bar().hwnd(), WM_LBUTTONUP, 0, 0);
    });
    const POINT at = EntryCentre(f.bar(), 1);
    Click(*f.app, f.bar().hwnd(), at.x, at.y);
    const std::vector<std::wstring> expected{L"stop", L"MenuPopup"};
    EXPECT_EQ(f.sounds.Calls(), expected) << "closed, not opened again";
    EXPECT_EQ(f.bar().OpenIndex(), -1);
    EXPECT_EQ(OpenDropDownWindow(), nullptr);
    ::SetCursorPos(0, 0);
}

// --- Sounds and hints ---

TEST(MenuSounds, StopThenPopupOnOpeningAndStopThenCommandBeforeTheCommand) {
    MenuFixture f;
    ASSERT_EQ(CopyTextToClipboard(nullptr, "before"), ClipboardResult::Copied);
    bool droppedDownAtCommandSound = true;
    std::wstring clipboardAtCommandSound;
    f.sounds.OnCommandSound([&] {
        droppedDownAtCommandSound = OpenDropDownWindow() != nullptr || f.bar().OpenIndex() >= 0;
        clipboardAtCommandSound = ClipboardText();
    });
    f.sounds.OnDropDown([] { PostKey(VK_RIGHT); });
    f.sounds.OnDropDown([] { PostKey(VK_LEFT); });
    f.sounds.OnDropDown([] { PostChar(L'c'); });
    PressAlt(*f.app, L'p');
    const std::vector<std::wstring> expected{L"stop", L"MenuPopup", L"stop", L"MenuPopup",
                                             L"stop", L"MenuPopup", L"stop", L"MenuCommand"};
    EXPECT_EQ(f.sounds.Calls(), expected);
    for (DWORD flags : f.sounds.Flags()) {
        if (flags != 0) {
            EXPECT_EQ(flags, DWORD(SND_ALIAS | SND_ASYNC | SND_NODEFAULT));
        }
    }
    EXPECT_FALSE(droppedDownAtCommandSound) << "the drop-down closes first";
    EXPECT_EQ(clipboardAtCommandSound, L"before") << "the command runs after the sound";
    EXPECT_EQ(ClipboardText(), kPrompt);
}

TEST(MenuSounds, OpeningADropDownCutsOffTheCatsCry) {
    MenuFixture f;
    f.form->playClip = [] { return PlayVoiceClip(); };
    EnterTrip(f, {L"8", L"00", L"00", L"9", L"30", L"00"});
    PressAlt(*f.app, L'c');
    f.sounds.OnDropDown([] { PostKey(VK_ESCAPE); });
    PressAlt(*f.app, L'h');
    const std::vector<std::wstring> expected{L"NEKOVOICE", L"stop", L"MenuPopup"};
    EXPECT_EQ(f.sounds.Calls(), expected);
}

TEST(MenuHint, HighlightingAnItemSetsTheLongPartOfItsHint) {
    MenuFixture f;
    std::vector<std::string> hints;
    f.sounds.OnDropDown([&] {
        hints.push_back(f.app->hint);
        PostKey(VK_END);
        RunSoon([&] {
            hints.push_back(f.app->hint);
            PostKey(VK_HOME);
            RunSoon([&] {
                hints.push_back(f.app->hint);
                PostKey(VK_ESCAPE);
            });
        });
    });
    f.app->hint = "unset";
    PressAlt(*f.app, L'p');
    EXPECT_EQ(hints, (std::vector<std::string>{"", "アプリケーションを終了する", ""}));
}

// --- The commands ---

std::string InSystemCodePage(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return out;
}

void ChooseFromMenu(MenuFixture& f, wchar_t entry, wchar_t item) {
    f.sounds.OnDropDown([item] { PostChar(item); });
    PressAlt(*f.app, entry);
}

TEST(CopyCommand, PutsTheMemosWholeTextOnTheClipboardAndKeepsTheFocus) {
    struct Case {
        const char* name;
        std::function<void(MenuFixture&)> prepare;
    } cases[] = {
        {"right after start", [](MenuFixture&) {}},
        {"after a calculation",
         [](MenuFixture& f) {
             f.form->playClip = [] { return true; };
             EnterTrip(f, {L"8", L"15", L"00", L"10", L"45", L"30"});
             PressAlt(*f.app, L'c');
         }},
        {"after typing into the memo",
         [](MenuFixture& f) {
             const HWND memo = f.Control("Memo1");
             f.form->FocusControl(memo);
             ::SendMessageW(memo, EM_SETSEL, 3, 3);
             TypeText(*f.app, L"abc");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuFixture f;
        ASSERT_EQ(CopyTextToClipboard(nullptr, "something else"), ClipboardResult::Copied);
        c.prepare(f);
        const HWND memo = f.Control("Memo1");
        const std::wstring text = TextOf(memo);
        const HWND focus = ::GetFocus();
        ChooseFromMenu(f, L'p', L'c');
        EXPECT_EQ(ClipboardText(), text);
        EXPECT_EQ(ClipboardAnsiText(), InSystemCodePage(text));
        EXPECT_EQ(TextOf(memo), text);
        EXPECT_EQ(::GetFocus(), focus);
        EXPECT_EQ(Selection(memo), std::make_pair(0, static_cast<int>(text.size())));
    }
}

TEST(CopyCommand, TextShownAfterStartAndAfterACalculation) {
    MenuFixture f;
    ChooseFromMenu(f, L'p', L'c');
    EXPECT_EQ(ClipboardText(), kPrompt);
    f.form->playClip = [] { return true; };
    EnterTrip(f, {L"23", L"0", L"0", L"1", L"0", L"0"});
    ::SetWindowTextW(f.Control("LabeledEdit7"), L"1");
    PressAlt(*f.app, L'c');
    ChooseFromMenu(f, L'p', L'c');
    const std::wstring copied = ClipboardText();
    EXPECT_EQ(copied.rfind(L"出発：", 0), 0u) << ::testing::PrintToString(copied);
    EXPECT_NE(copied.find(L"\r\n到着："), std::wstring::npos);
    EXPECT_NE(copied.find(L"（翌日）"), std::wstring::npos);
    EXPECT_NE(copied.find(L"\r\n所要時間は"), std::wstring::npos);
    // Tabbing into the memo afterwards shows the copied text selected.
    f.form->FocusControl(f.Control("BitBtn1"));
    PressKey(*f.app, VK_TAB);
    ASSERT_EQ(::GetFocus(), f.Control("Memo1"));
    EXPECT_EQ(Selection(f.Control("Memo1")), std::make_pair(0, static_cast<int>(copied.size())));
}

TEST(MinimizeCommand, HidesTheWindowAndTheRestoreBringsItBackUnchanged) {
    for (const char* focused : {"LabeledEdit3", "Memo1", "BitBtn1"}) {
        SCOPED_TRACE(focused);
        MenuFixture f;
        EnterTrip(f, {L"1", L"2", L"3", L"4", L"5", L"6"});
        f.form->FocusControl(f.Control(focused));
        RECT before{};
        ::GetWindowRect(f.form->hwnd(), &before);
        // Down to the second item and Enter: Enter runs the highlighted command.
        f.sounds.OnDropDown([] {
            PostKey(VK_DOWN);
            PostKey(VK_RETURN);
        });
        PressAlt(*f.app, L'p');
        EXPECT_TRUE(f.app->Minimized());
        EXPECT_FALSE(::IsWindowVisible(f.form->hwnd()));
        EXPECT_TRUE(::IsWindowVisible(f.app->hwnd())) << "the taskbar entry stays";

        ::SendMessageW(f.app->hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
        Pump(*f.app);
        EXPECT_FALSE(f.app->Minimized());
        EXPECT_TRUE(::IsWindowVisible(f.form->hwnd()));
        RECT after{};
        ::GetWindowRect(f.form->hwnd(), &after);
        EXPECT_TRUE(::EqualRect(&before, &after));
        EXPECT_EQ(TextOf(f.Control("LabeledEdit6")), L"6");
        EXPECT_EQ(TextOf(f.Control("Memo1")), kPrompt);
        EXPECT_EQ(::GetFocus(), f.Control(focused));
        RECT app{};
        ::GetWindowRect(f.app->hwnd(), &app);
        EXPECT_EQ(app.left, ::GetSystemMetrics(SM_CXSCREEN) / 2);
        EXPECT_EQ(app.top, ::GetSystemMetrics(SM_CYSCREEN) / 2);
        EXPECT_EQ(app.right - app.left, 0);
    }
}

TEST(ExitCommand, PostsTheQuitWithCodeZeroAndAsksNothing) {
    MenuFixture f;
    int windowsActivated = 0;
    ActivationWatch watch([&](HWND h) {
        if (h != f.form->hwnd()) ++windowsActivated;
    });
    f.sounds.OnDropDown([] { PostChar(L'x'); });
    HoldModifiers(false, false, true);
    MSG altP{::GetFocus(), WM_SYSCHAR, L'p', 1 | (1 << 29), 0, {}};
    f.app->DispatchOne(altP);
    HoldModifiers(false, false, false);
    MSG quit{};
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_EQ(windowsActivated, 0);
    EXPECT_TRUE(::IsWindow(f.form->hwnd()));
}

TEST(AboutCommand, ShowsTheAboutBoxModallyFromTheHelpMenu) {
    MenuFixture f;
    TAboutBox& about = f.app->CreateForm<TAboutBox>();
    const HWND focus = ::GetFocus();
    bool mainDisabled = false;
    int shown = 0;
    ActivationWatch watch([&](HWND h) {
        if (h != about.hwnd()) return;
        ++shown;
        mainDisabled = !::IsWindowEnabled(f.form->hwnd());
        RunSoon([&] {
            // The main window's menu cannot be reached while the box is up. (The box's
            // own window menu may take Alt+P; Escape ends that.)
            PressKeyInLoop(*f.app, L'P', false, false, true);
            PostKey(VK_ESCAPE);
            RunSoon([&] { PressKeyInLoop(*f.app, VK_RETURN); });
        });
    });
    ChooseFromMenu(f, L'h', L'a');
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(mainDisabled);
    EXPECT_FALSE(::IsWindowVisible(about.hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(f.form->hwnd()));
    EXPECT_EQ(::GetFocus(), focus);
    const std::vector<std::wstring> expected{L"stop", L"MenuPopup", L"stop", L"MenuCommand"};
    EXPECT_EQ(f.sounds.Calls(), expected) << "no drop-down opened while the box was up";
}

}  // namespace
}  // namespace quillfen::testing
