// Focus, tab order and the application object: taskbar window, window menu and the
// last-resort error display.
#include <gtest/gtest.h>

#include <stdexcept>

#include "GuiTestSupport.h"
#include "logic/ClockTime.h"

namespace quillfen::testing {
namespace {

const char* const kTabCycle[] = {"LabeledEdit1", "LabeledEdit2", "LabeledEdit3",
                                 "LabeledEdit4", "LabeledEdit5", "LabeledEdit6",
                                 "LabeledEdit7", "BitBtn1",      "Memo1"};

TEST(Focus, FirstFocusIsTheFirstField) {
    MainWindowFixture f;
    EXPECT_EQ(::GetFocus(), f.Control("LabeledEdit1"));
}

TEST(Focus, TabWalksTheNineStopsAndWraps) {
    MainWindowFixture f;
    for (int step = 1; step <= 9; ++step) {
        PressKey(*f.app, VK_TAB);
        EXPECT_EQ(::GetFocus(), f.Control(kTabCycle[step % 9])) << "after " << step << " Tab";
    }
}

TEST(Focus, ShiftTabWalksBackwards) {
    MainWindowFixture f;
    for (int step = 1; step <= 9; ++step) {
        PressKey(*f.app, VK_TAB, /*shift=*/true);
        EXPECT_EQ(::GetFocus(), f.Control(kTabCycle[(9 - step) % 9])) << "after " << step;
    }
}

TEST(Focus, TabSelectsTheWholeFieldButAClickDoesNot) {
    MainWindowFixture f;
    const HWND second = f.Control("LabeledEdit2");
    ::SetWindowTextW(second, L"1234");
    PressKey(*f.app, VK_TAB);
    ASSERT_EQ(::GetFocus(), second);
    EXPECT_EQ(Selection(second), std::make_pair(0, 4));

    const HWND third = f.Control("LabeledEdit3");
    ::SetWindowTextW(third, L"5678");
    ::SendMessageW(third, EM_SETSEL, 1, 1);
    Click(*f.app, third, 30, 5);
    ASSERT_EQ(::GetFocus(), third);
    const auto [start, end] = Selection(third);
    EXPECT_EQ(start, end) << "a click places the caret";
}

TEST(Focus, TabIntoTheMemoKeepsItsSelection) {
    MainWindowFixture f;
    const HWND memo = f.Control("Memo1");
    ::SendMessageW(memo, EM_SETSEL, 2, 5);
    ::SetFocus(f.Control("BitBtn1"));
    PressKey(*f.app, VK_TAB);
    ASSERT_EQ(::GetFocus(), memo);
    EXPECT_EQ(Selection(memo), std::make_pair(2, 5));
}

TEST(Focus, MemoTakesEnterAsANewLine) {
    MainWindowFixture f;
    const HWND memo = f.Control("Memo1");
    ::SetWindowTextW(memo, L"");
    ::SetFocus(memo);
    TypeChar(*f.app, L'a');
    PressKey(*f.app, VK_RETURN);
    TypeChar(*f.app, L'b');
    EXPECT_EQ(TextOf(memo), L"a\r\nb");
    const LONG style = ::GetWindowLongW(memo, GWL_STYLE);
    EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL));
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_FALSE(style & ES_NOHIDESEL);
}

TEST(ApplicationWindow, OwnsTheTaskbarEntryWithATrimmedWindowMenu) {
    MainWindowFixture f;
    const HWND app = f.app->hwnd();
    EXPECT_EQ(ClassOf(app), L"TApplication");
    EXPECT_EQ(TextOf(app), L"Quillfen");
    RECT r{};
    ::GetWindowRect(app, &r);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);
    const LONG style = ::GetWindowLongW(app, GWL_STYLE);
    EXPECT_TRUE((style & WS_POPUP) && (style & WS_SYSMENU) && (style & WS_MINIMIZEBOX));

    const HMENU menu = ::GetSystemMenu(app, FALSE);
    struct Item {
        UINT command;
        bool present;
    } items[] = {{SC_RESTORE, true},   {SC_MINIMIZE, true}, {SC_CLOSE, true},
                 {SC_MAXIMIZE, false}, {SC_SIZE, false},    {SC_MOVE, false}};
    for (const Item& item : items) {
        EXPECT_EQ(::GetMenuState(menu, item.command, MF_BYCOMMAND) != UINT(-1), item.present)
            << std::hex << item.command;
    }
}

TEST(ApplicationWindow, SettingsChangesReloadTheClockFormat) {
    MainWindowFixture f;
    const TClockSettings loaded = ClockSettings;
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    for (UINT message : {static_cast<UINT>(WM_SETTINGCHANGE), taskbarCreated}) {
        ClockSettings = {"AMPM hh:mm:ss", '\0', '\0', "x", "y"};
        ::SendMessageW(f.app->hwnd(), message, 0, 0);
        EXPECT_EQ(ClockSettings.ClockFormat, loaded.ClockFormat) << message;
        EXPECT_EQ(ClockSettings.ClockSeparator, loaded.ClockSeparator);
        EXPECT_EQ(ClockSettings.MorningDesignator, loaded.MorningDesignator);
    }
}

TEST(ApplicationWindow, EndingTheSessionEndsTheLoop) {
    MainWindowFixture f;
    ::SendMessageW(f.app->hwnd(), WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(f.app->Terminated());
    ::SendMessageW(f.app->hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(f.app->Terminated());
}

// Start-up work left for the first idle moment runs once: from the loop's first idle
// wait, or before the first key if that comes sooner, never for a made-up mouse move.
TEST(ApplicationWindow, FirstIdleStepsRunOnceAtIdleOrBeforeTheFirstKey) {
    for (const bool keyFirst : {false, true}) {
        TApplication app;
        int runs = 0;
        app.WhenFirstIdle([&] { ++runs; });
        ::PostMessageW(app.hwnd(), WM_MOUSEMOVE, 0, 0);
        Pump(app);
        EXPECT_EQ(runs, 0);
        if (keyFirst) {
            ::PostMessageW(app.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
            app.ProcessMessage(false);
        } else {
            for (int turn = 0; turn < 100 && runs == 0; ++turn) app.ProcessMessage(true);
        }
        Pump(app);
        EXPECT_EQ(runs, 1) << "key first: " << keyFirst;
    }
}

TEST(ErrorDisplay, AppendsAFullStopUnlessTheLastByteIsAtMostADot) {
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"失敗", "失敗."},
        {"'23:59:59' は時刻ではありません", "'23:59:59' は時刻ではありません."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"a-", "a-"},
        {"a,", "a,"},
        {"a/", "a/."},
        {"end 9", "end 9."},
        {"x)", "x)"},
    };
    for (const Case& c : cases) EXPECT_EQ(TApplication::ErrorBoxText(c.message), c.shown);
}

TEST(ErrorDisplay, AnErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
    MainWindowFixture f;
    f.form->calculate = [](const std::array<std::string, 6>&, std::uint8_t) -> TripResult {
        throw std::runtime_error("計算できません");
    };
    std::wstring title, text;
    bool otherWindowsDisabled = false;
    ActivationWatch watch([&](HWND box) {
        if (ClassOf(box) != L"#32770") return;
        title = TextOf(box);
        text = TextOf(::GetDlgItem(box, 0xFFFF));
        otherWindowsDisabled = !::IsWindowEnabled(f.form->hwnd());
        ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    const HWND focusBefore = ::GetFocus();
    const std::wstring memoBefore = TextOf(f.Control("Memo1"));
    PressAlt(*f.app, L'c');
    EXPECT_EQ(title, L"Quillfen");
    EXPECT_EQ(text, L"計算できません.");
    EXPECT_TRUE(otherWindowsDisabled);
    EXPECT_EQ(TextOf(f.Control("Memo1")), memoBefore);
    EXPECT_EQ(::GetFocus(), focusBefore);
    EXPECT_TRUE(::IsWindowEnabled(f.form->hwnd()));
}

int g_reported = 0;
void CountReport(std::exception_ptr) { ++g_reported; }

// A window whose handler fails at one message of its creation.
struct FailingWindow : Window {
    explicit FailingWindow(UINT failAt) : failAt(failAt) {
        Create({L"QuillfenTestFailing"}, 0, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == failAt) throw Exception("作成できません");
        return Window::HandleMessage(message, wParam, lParam);
    }
    UINT failAt;
};

// One error boundary: a failure is shown once, by whoever can go on after it.
TEST(ErrorDisplay, EachFailureIsReportedOnce) {
    TApplication app;
    SetExceptionSink(&CountReport);
    for (const UINT failAt : {UINT{WM_NCCREATE}, UINT{WM_CREATE}}) {
        g_reported = 0;
        try {
            FailingWindow window(failAt);
            ADD_FAILURE() << "created after failing at " << failAt;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "作成できません") << failAt;
        }
        EXPECT_EQ(g_reported, 0) << "the caller of Create has it to report, " << failAt;
    }
    g_reported = 0;
    int later = 0;
    app.WhenFirstIdle([] { throw Exception("idle"); });
    app.WhenFirstIdle([&] { ++later; });
    app.RunFirstIdleSteps();
    EXPECT_EQ(g_reported, 1);
    EXPECT_EQ(later, 1) << "the steps after a failing one still run";
}

}  // namespace
}  // namespace quillfen::testing
