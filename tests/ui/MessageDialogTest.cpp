// The message dialogs: layout arithmetic, the real windows measured against it, how they
// close, Ctrl+C, the clipboard failure and the dialog raised by the Calculate command.
#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

#include "GuiTestSupport.h"
#include "tests/common/Clipboard.h"
#include "ui/forms/MessageDialogs.h"
#include "ui/forms/MessageForm.h"
#include "ui/win32/Clipboard.h"
#include "ui/win32/Text.h"

namespace quillfen::testing {
namespace {

constexpr char kSameTime[] = "出発・到着が同時刻になっています";
constexpr char kWrongOrder[] =
    "出発・到着時刻が正しく設定されていません\r\n"
    "(0時をまたぐ場合は「夜行に乗る」に1を入れてください)";
constexpr char kTooLong[] = "そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや";
constexpr char kNoCat[] = "猫がいません";

const TMsgDlgButtons kAllButtons{mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                 mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

struct ButtonFacts {
    TMsgDlgBtn button;
    const char* name;
    const wchar_t* caption;
};
const ButtonFacts kButtonFacts[] = {
    {mbYes, "Yes", L"はい(&Y)"},
    {mbNo, "No", L"いいえ(&N)"},
    {mbOK, "OK", L"OK"},
    {mbCancel, "Cancel", L"キャンセル"},
    {mbAbort, "Abort", L"中止(&A)"},
    {mbRetry, "Retry", L"再試行(&R)"},
    {mbIgnore, "Ignore", L"無視(&I)"},
    {mbAll, "All", L"すべて(&A)"},
    {mbNoToAll, "NoToAll", L"すべていいえ(&O)"},
    {mbYesToAll, "YesToAll", L"すべてはい(&A)"},
    {mbHelp, "Help", L"ヘルプ(&H)"},
};

RECT At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// --- The layout as arithmetic ------------------------------------------------------------

struct LayoutCase {
    const char* name;
    int averageWidth, averageHeight;
    SIZE text;
    bool icon;
    int buttonCount;
    std::array<int, 3> captionWidths;
    SIZE client;
    RECT iconAt, textAt;
    std::array<RECT, 3> buttons;
};

TEST(MessageDialogLayout, ComputesEveryPositionFromTheAverageCharacterSize) {
    const LayoutCase cases[] = {
        {"error, 200x12 text",
         6,
         12,
         {200, 12},
         true,
         1,
         {22},
         {271, 92},
         At(12, 12, 32, 32),
         At(59, 12, 200, 12),
         {At(98, 59, 75, 21)}},
        {"plain, 72x12 text",
         6,
         12,
         {72, 12},
         false,
         1,
         {22},
         {99, 72},
         {},
         At(12, 12, 72, 12),
         {At(12, 39, 75, 21)}},
        {"text taller than the icon",
         6,
         12,
         {200, 36},
         true,
         1,
         {22},
         {271, 96},
         At(12, 12, 32, 32),
         At(59, 12, 200, 36),
         {At(98, 63, 75, 21)}},
        {"units round to nearest",
         7,
         13,
         {100, 13},
         true,
         2,
         {30, 30},
         {211, 97},
         At(14, 13, 32, 32),
         At(64, 13, 100, 13),
         {At(14, 61, 88, 23), At(109, 61, 88, 23)}},
        {"a wide caption widens every button",
         6,
         12,
         {50, 12},
         false,
         3,
         {30, 90, 40},
         {306, 72},
         {},
         At(12, 12, 50, 12),
         {At(12, 39, 90, 21), At(108, 39, 90, 21), At(204, 39, 90, 21)}},
        {"centring truncates",
         6,
         12,
         {80, 12},
         false,
         1,
         {22},
         {104, 72},
         {},
         At(12, 12, 80, 12),
         {At(14, 39, 75, 21)}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        MessageLayoutInput input{c.averageWidth, c.averageHeight, c.text, c.icon, {}};
        input.captionWidths.assign(c.captionWidths.begin(),
                                   c.captionWidths.begin() + c.buttonCount);
        const MessageLayout layout = LayOutMessageDialog(input);
        EXPECT_EQ(layout.client.cx, c.client.cx);
        EXPECT_EQ(layout.client.cy, c.client.cy);
        EXPECT_TRUE(SameRect(layout.icon, c.iconAt)) << Describe(layout.icon);
        EXPECT_TRUE(SameRect(layout.text, c.textAt)) << Describe(layout.text);
        ASSERT_EQ(layout.buttons.size(), static_cast<size_t>(c.buttonCount));
        for (int i = 0; i < c.buttonCount; ++i) {
            EXPECT_TRUE(SameRect(layout.buttons[i], c.buttons[i]))
                << "button " << i << ": " << Describe(layout.buttons[i]);
        }
    }
}

// --- Driving a real dialog -----------------------------------------------------------------

// The program is built without run-time type information, so the window class names the type.
TMessageForm* FormOf(HWND dialog) {
    wchar_t name[32] = {};
    ::GetClassNameW(dialog, name, 32);
    if (std::wstring_view(name) != L"TMessageForm") return nullptr;
    return static_cast<TMessageForm*>(
        reinterpret_cast<Window*>(::GetWindowLongPtrW(dialog, GWLP_USERDATA)));
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(parent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        children.push_back(h);
    }
    return children;
}

// The dialog's font, as its text label carries it.
HFONT FontOf(HWND dialog) {
    return reinterpret_cast<HFONT>(::SendMessageW(FormOf(dialog)->Message(), WM_GETFONT, 0, 0));
}

HWND g_watched = nullptr;
bool g_timedOut = false;

void CALLBACK CloseForgottenDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (!::IsWindow(g_watched)) return;
    g_timedOut = true;
    ::PostMessageW(g_watched, WM_CLOSE, 0, 0);
}

struct DialogRun {
    int result = -1;
    HWND dialog = nullptr;
};

// Runs `show`; once the message dialog it opens is up, `act` runs on it from the dialog's
// own loop. Message boxes opened meanwhile go to `onBox`. A dialog left open is closed
// after a few seconds, so a failing test cannot hang.
DialogRun RunDialog(const std::function<int()>& show, const std::function<void(HWND)>& act,
                    const std::function<void(HWND)>& onBox = {}) {
    DialogRun run;
    ActivationWatch watch([&](HWND h) {
        if (ClassOf(h) == L"#32770" && onBox) onBox(h);
        if (run.dialog || ClassOf(h) != L"TMessageForm") return;
        run.dialog = g_watched = h;
        RunSoon([&act, h] { act(h); });
    });
    g_timedOut = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5000, &CloseForgottenDialog);
    run.result = show();
    ::KillTimer(nullptr, timer);
    g_watched = nullptr;
    EXPECT_FALSE(g_timedOut) << "the dialog was still open after its steps";
    EXPECT_NE(run.dialog, nullptr) << "no message dialog appeared";
    return run;
}

DialogRun RunDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                    const std::function<void(HWND)>& act,
                    const std::function<void(HWND)>& onBox = {}) {
    return RunDialog([&] { return ShowMessageDialog(text, kind, buttons, 0); }, act, onBox);
}

// The layout the algorithm gives for this dialog, fed with measurements made here in the
// dialog's own font.
MessageLayout ExpectedLayout(HWND dialog, const std::string& text, bool hasIcon,
                             const std::vector<std::wstring>& captions) {
    WindowDc dc(nullptr);
    ScopedSelect select(dc.get(), FontOf(dialog));
    SIZE run{};
    ::GetTextExtentPoint32W(dc.get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                            &run);
    MessageLayoutInput input{run.cx / 52, run.cy, {}, hasIcon, {}};
    const auto wide = Widen(text);
    RECT r{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    ::DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    input.text = {r.right, r.bottom};
    for (const std::wstring& caption : captions) {
        RECT c{};
        ::DrawTextW(dc.get(), caption.c_str(), -1, &c, DT_CALCRECT | DT_SINGLELINE);
        input.captionWidths.push_back(c.right + 8);
    }
    return LayOutMessageDialog(input);
}

// --- Real dialogs: kinds, fonts, children and layout --------------------------------------

struct DialogCase {
    const char* name;
    TMsgDlgType kind;
    std::string text;
    TMsgDlgButtons buttons;
    const wchar_t* title;  // nullptr: the application title
    int icon;              // standard icon id, 0: none
};

void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

class MessageDialogWindow : public ::testing::TestWithParam<DialogCase> {};

void CheckFrameAndFont(HWND dialog, HWND owner) {
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), owner);
    const LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(::GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(::SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(::SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    LOGFONTW font{};
    ::GetObjectW(FontOf(dialog), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(font.lfHeight, metrics.lfMessageFont.lfHeight);
}

void CheckPlacement(HWND dialog, const MessageLayout& expected) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, expected.client.cx);
    EXPECT_EQ(client.bottom, expected.client.cy);
    RECT window{};
    ::GetWindowRect(dialog, &window);
    EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
    EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
}

TEST_P(MessageDialogWindow, IsBuiltAndLaidOutForItsKindAndText) {
    const DialogCase& c = GetParam();
    MainWindowFixture f;
    std::vector<const ButtonFacts*> buttons;
    std::vector<std::wstring> captions;
    for (const ButtonFacts& b : kButtonFacts) {
        if (!c.buttons.Contains(b.button)) continue;
        buttons.push_back(&b);
        captions.push_back(b.caption);
    }
    RunDialog(c.text, c.kind, c.buttons, [&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), c.title ? c.title : L"Quillfen");
        CheckFrameAndFont(dialog, f.app->hwnd());
        const MessageLayout expected = ExpectedLayout(dialog, c.text, c.icon != 0, captions);
        CheckPlacement(dialog, expected);

        // Children in creation order: the icon, the message, the buttons.
        const TMessageForm* form = FormOf(dialog);
        ASSERT_NE(form, nullptr);
        const std::vector<HWND> children = ChildrenOf(dialog);
        ASSERT_EQ(children.size(), (c.icon ? 2 : 1) + buttons.size());
        size_t next = 0;
        if (c.icon) {
            const HWND image = children[next++];
            EXPECT_EQ(image, form->ControlHandle("Image"));
            EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(image, STM_GETICON, 0, 0)),
                      ::LoadIconW(nullptr, MAKEINTRESOURCEW(c.icon)));
            EXPECT_TRUE(SameRect(RectInParent(image), expected.icon));
        }
        const HWND message = children[next++];
        EXPECT_EQ(message, form->ControlHandle("Message"));
        EXPECT_EQ(TextOf(message), Widen(c.text).c_str());
        EXPECT_TRUE(SameRect(RectInParent(message), expected.text))
            << Describe(RectInParent(message)) << " expected " << Describe(expected.text);
        for (size_t b = 0; b < buttons.size(); ++b) {
            const HWND button = children[next++];
            EXPECT_EQ(button, form->ControlHandle(buttons[b]->name));
            EXPECT_EQ(TextOf(button), buttons[b]->caption);
            EXPECT_TRUE(SameRect(RectInParent(button), expected.buttons[b]))
                << buttons[b]->name << " at " << Describe(RectInParent(button));
        }
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
}

std::string LongLine() {
    std::string line;
    for (int i = 0; i < 12; ++i) line += "The quick brown fox jumps over the lazy dog. ";
    return line;
}

INSTANTIATE_TEST_SUITE_P(
    MessageDialogKinds, MessageDialogWindow,
    ::testing::Values(
        DialogCase{"ErrorOneLine", TMsgDlgType::mtError, kSameTime, {mbOK}, L"エラー", 32513},
        DialogCase{"ErrorTwoLines", TMsgDlgType::mtError, kWrongOrder, {mbOK}, L"エラー", 32513},
        DialogCase{"WarningTwoLines", TMsgDlgType::mtWarning, kTooLong, {mbOK}, L"警告", 32515},
        DialogCase{"Plain", TMsgDlgType::mtCustom, kNoCat, {mbOK}, nullptr, 0},
        DialogCase{
            "InformationLongLine", TMsgDlgType::mtInformation, LongLine(), {mbOK}, L"情報", 32516},
        DialogCase{"ConfirmationAllButtons", TMsgDlgType::mtConfirmation, "1\t2 & 3", kAllButtons,
                   L"確認", 32514}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return info.param.name; });

TEST(MessageDialogWindow, TwoLinesGrowByOneLineAndALongLineWrapsAtHalfTheScreen) {
    MainWindowFixture f;
    auto measure = [](const std::string& text) {
        RECT message{};
        RunDialog(text, TMsgDlgType::mtCustom, {mbOK}, [&](HWND dialog) {
            message = RectInParent(FormOf(dialog)->Message());
            ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        });
        return message;
    };
    const RECT one = measure(kSameTime);
    const RECT two = measure(kWrongOrder);
    const RECT wrapped = measure(LongLine());
    const int line = one.bottom - one.top;
    EXPECT_EQ(two.bottom - two.top, 2 * line);
    const int half = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    EXPECT_LE(wrapped.right - wrapped.left, half);
    EXPECT_GT(wrapped.right - wrapped.left, half * 3 / 4);
    EXPECT_GE(wrapped.bottom - wrapped.top, 2 * line);
}

// --- Closing -----------------------------------------------------------------------------

struct CloseCase {
    const char* name;
    std::function<void(TApplication&, HWND dialog)> act;
    int result;
};

TEST(MessageDialogModal, ClosesWithTheResultOfHowItWasClosed) {
    MainWindowFixture f;
    const HWND main = f.form->hwnd();
    const CloseCase cases[] = {
        {"Enter", [](TApplication& app, HWND) { PressKeyInLoop(app, VK_RETURN); }, 1},
        {"Esc", [](TApplication& app, HWND) { PressKeyInLoop(app, VK_ESCAPE); }, 1},
        {"Space", [](TApplication& app, HWND) { PressKeyInLoop(app, VK_SPACE); }, 1},
        {"OK clicked",
         [](TApplication&, HWND dialog) {
             const HWND ok = FormOf(dialog)->ControlHandle("OK");
             ::SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             ::SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         1},
        {"close box",
         [](TApplication&, HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
        {"Alt+F4", [](TApplication& app, HWND) { PressKeyInLoop(app, VK_F4, false, false, true); },
         2},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool mainEnabled = true;
        bool focusOnOk = false;
        HCURSOR cursor = nullptr;
        const DialogRun run = RunDialog(kSameTime, TMsgDlgType::mtError, {mbOK}, [&](HWND dialog) {
            mainEnabled = ::IsWindowEnabled(main);
            focusOnOk = ::GetFocus() == FormOf(dialog)->ControlHandle("OK");
            cursor = ::GetCursor();
            c.act(*f.app, dialog);
        });
        EXPECT_EQ(run.result, c.result);
        EXPECT_FALSE(mainEnabled) << "the main window takes no input while the dialog is up";
        EXPECT_TRUE(focusOnOk);
        EXPECT_EQ(cursor, ::LoadCursorW(nullptr, IDC_ARROW));
        EXPECT_FALSE(::IsWindow(run.dialog)) << "destroyed before the call returned";
        EXPECT_TRUE(::IsWindowEnabled(main));
        EXPECT_EQ(::GetActiveWindow(), main);
    }
}

TEST(MessageDialogModal, AQuitRequestOrTheSessionEndClosesItAndStillEndsTheProgram) {
    MainWindowFixture f;
    const HWND app = f.app->hwnd();
    const std::function<void(HWND)> ends[] = {
        [](HWND) { ::PostQuitMessage(0); },
        [app](HWND) { ::SendMessageW(app, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF); }};
    for (const auto& end : ends) {
        const DialogRun run = RunDialog(kSameTime, TMsgDlgType::mtError, {mbOK}, end);
        EXPECT_EQ(run.result, 2);
        EXPECT_FALSE(::IsWindow(run.dialog));
        bool quitSeen = false;
        MSG msg;
        while (!quitSeen && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            quitSeen = msg.message == WM_QUIT;
        }
        EXPECT_TRUE(quitSeen);
    }
}

struct ButtonRoleCase {
    const char* name;
    TMsgDlgButtons buttons;
    const char* defaultButton;  // nullptr: none
    int escapeResult;           // 0: Esc leaves the dialog open
};

TEST(MessageDialogModal, DefaultAndCancelButtonsFollowThePreferenceOrder) {
    MainWindowFixture f;
    const ButtonRoleCase cases[] = {
        {"OK alone", {mbOK}, "OK", 1},
        {"OK Cancel", {mbOK, mbCancel}, "OK", 2},
        {"Yes No", {mbYes, mbNo}, "Yes", 7},
        {"Yes No Cancel", {mbYes, mbNo, mbCancel}, "Yes", 2},
        {"Retry Cancel", {mbRetry, mbCancel}, "Retry", 2},
        {"Abort Retry Ignore", {mbAbort, mbRetry, mbIgnore}, "Retry", 0},
        {"Ignore Help", {mbIgnore, mbHelp}, nullptr, 0},
    };
    for (const ButtonRoleCase& c : cases) {
        SCOPED_TRACE(c.name);
        int escapeResult = -1;
        RunDialog("?", TMsgDlgType::mtConfirmation, c.buttons, [&](HWND dialog) {
            TMessageForm* form = FormOf(dialog);
            for (const ButtonFacts& b : kButtonFacts) {
                const HWND button = form->ControlHandle(b.name);
                if (!button) continue;
                const bool isDefault =
                    (::GetWindowLongW(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
                EXPECT_EQ(isDefault, c.defaultButton && std::string(c.defaultButton) == b.name)
                    << b.name;
            }
            PressKeyInLoop(*f.app, VK_ESCAPE);
            escapeResult = form->ModalResult();
            if (escapeResult == 0) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(escapeResult, c.escapeResult);
    }
}

TEST(MessageDialogModal, HelpAndMnemonicsDoWhatTheirButtonsSay) {
    MainWindowFixture f;
    int afterHelp = -1;
    const DialogRun run =
        RunDialog("?", TMsgDlgType::mtConfirmation, {mbYes, mbNo, mbHelp}, [&](HWND dialog) {
            TMessageForm* form = FormOf(dialog);
            ::SendMessageW(form->ControlHandle("Help"), BM_CLICK, 0, 0);
            afterHelp = form->ModalResult();
            PressKeyInLoop(*f.app, L'N', false, false, true);
        });
    EXPECT_EQ(afterHelp, 0) << "Help leaves the dialog open";
    EXPECT_EQ(run.result, 7) << "Alt+N presses No";
}

// --- Ctrl+C ------------------------------------------------------------------------------

using testsupport::ClipboardText;

// Counts beeps and can make the clipboard unavailable; puts the real services back.
class ServicesScope {
public:
    explicit ServicesScope(bool clipboardFails) {
        beeps = 0;
        MessageDialogServices services = DefaultMessageDialogServices();
        services.beep = [] { ++beeps; };
        if (clipboardFails) {
            services.copyText = [](HWND, std::string_view) { return ClipboardResult::NotOpened; };
        }
        previous_ = SetMessageDialogServices(services);
    }
    ~ServicesScope() { SetMessageDialogServices(previous_); }
    static inline int beeps = 0;

private:
    MessageDialogServices previous_;
};

struct CopyCase {
    const char* name;
    TMsgDlgType kind;
    const char* text;
    TMsgDlgButtons buttons;
    const wchar_t* copied;
};

TEST(MessageDialogCopy, CtrlCBeepsAndCopiesTitleTextAndButtonsBetweenDividers) {
    MainWindowFixture f;
    ServicesScope services(false);
#define D L"---------------------------\r\n"
    const CopyCase cases[] = {
        {"error",
         TMsgDlgType::mtError,
         kSameTime,
         {mbOK},
         D L"エラー\r\n" D L"出発・到着が同時刻になっています\r\n" D L"OK   \r\n" D},
        {"plain",
         TMsgDlgType::mtCustom,
         kNoCat,
         {mbOK},
         D L"Quillfen\r\n" D L"猫がいません\r\n" D L"OK   \r\n" D},
        {"warning, two lines, three buttons",
         TMsgDlgType::mtWarning,
         kTooLong,
         {mbYes, mbNo, mbCancel},
         D L"警告\r\n" D L"そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや\r"
           L"\n" D L"はい(Y)   いいえ(N)   キャンセル   \r\n" D},
    };
#undef D
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(CopyTextToClipboard(nullptr, "before"), ClipboardResult::Copied);
        ServicesScope::beeps = 0;
        int beepsOnOpen = -1;
        std::wstring afterCtrlShiftC;
        bool openAfterCopy = false;
        RunDialog(c.text, c.kind, c.buttons, [&](HWND dialog) {
            beepsOnOpen = ServicesScope::beeps;
            PressKeyInLoop(*f.app, L'C', /*shift=*/true, /*ctrl=*/true);
            afterCtrlShiftC = ClipboardText();
            PressKeyInLoop(*f.app, L'C', false, /*ctrl=*/true);
            openAfterCopy = ::IsWindowVisible(dialog) && FormOf(dialog)->ModalResult() == 0;
            ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(beepsOnOpen, 0) << "no sound when the dialog opens";
        EXPECT_EQ(afterCtrlShiftC, L"before") << "Ctrl+Shift+C does nothing";
        EXPECT_EQ(ServicesScope::beeps, 1);
        EXPECT_EQ(ClipboardText(), c.copied);
        EXPECT_TRUE(openAfterCopy);
    }
}

struct ErrorBoxSeen {
    std::wstring title, text;
    bool dialogDisabled = false;
};

// Reads the last-resort error box and presses its OK button.
std::function<void(HWND)> AnswerErrorBox(ErrorBoxSeen& seen, HWND& dialog) {
    return [&seen, &dialog](HWND box) {
        seen.title = TextOf(box);
        seen.text = TextOf(::GetDlgItem(box, 0xFFFF));
        seen.dialogDisabled = dialog && !::IsWindowEnabled(dialog);
        ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    };
}

void CopyAndExpectTheClipboardError(TApplication& app,
                                    const wchar_t* shown = L"クリップボードを開くことができません.") {
    ErrorBoxSeen seen;
    HWND dialog = nullptr;
    bool openAfterError = false;
    const DialogRun run = RunDialog(
        kSameTime, TMsgDlgType::mtError, {mbOK},
        [&](HWND h) {
            dialog = h;
            PressKeyInLoop(app, L'C', false, /*ctrl=*/true);
            openAfterError = ::IsWindowVisible(h) && FormOf(h)->ModalResult() == 0;
            EXPECT_EQ(::GetActiveWindow(), h);
            PressKeyInLoop(app, VK_RETURN);
        },
        AnswerErrorBox(seen, dialog));
    EXPECT_EQ(seen.title, L"Quillfen");
    EXPECT_EQ(seen.text, shown);
    EXPECT_TRUE(seen.dialogDisabled);
    EXPECT_TRUE(openAfterError);
    EXPECT_EQ(run.result, 1) << "the dialog still answers Enter afterwards";
}

TEST(MessageDialogCopy, AnUnavailableClipboardIsReportedAndTheDialogStaysOpen) {
    MainWindowFixture f;
    ServicesScope services(/*clipboardFails=*/true);
    CopyAndExpectTheClipboardError(*f.app);
    EXPECT_EQ(ServicesScope::beeps, 1);
}

HGLOBAL WINAPI FailToAllocate(UINT, SIZE_T) { return nullptr; }
LPVOID WINAPI FailToLock(HGLOBAL) { return nullptr; }
HANDLE WINAPI FailToPlace(UINT, HANDLE) { return nullptr; }

// Puts the system's clipboard calls back whatever happens in the test.
struct ClipboardCallsScope {
    explicit ClipboardCallsScope(ClipboardCalls calls) : previous(SetClipboardCalls(calls)) {}
    ~ClipboardCallsScope() { SetClipboardCalls(previous); }
    ClipboardCalls previous;
};

TEST(MessageDialogCopy, EveryFailureToPlaceTheTextIsReportedAndMemoryFailuresKeepTheOldText) {
    MainWindowFixture f;
    const ClipboardCalls system = SystemClipboardCalls();
    struct Fault {
        const char* name;
        ClipboardCalls calls;
        const wchar_t* leftOnClipboard;  // the clipboard is emptied only once the text is ready
    };
    const Fault faults[] = {
        {"allocating", {&FailToAllocate, system.lock, system.setData}, L"before"},
        {"locking", {system.alloc, &FailToLock, system.setData}, L"before"},
        {"placing", {system.alloc, system.lock, &FailToPlace}, L""},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        ASSERT_EQ(CopyTextToClipboard(nullptr, "before"), ClipboardResult::Copied);
        {
            const ClipboardCallsScope failing(fault.calls);
            CopyAndExpectTheClipboardError(*f.app, L"クリップボードにテキストを設定できません.");
        }
        EXPECT_EQ(ClipboardText(), fault.leftOnClipboard);
    }
}

// Opens the clipboard on its own thread and keeps it open until released. Win32 threads
// and events, because the Windows build's runtime has no std::thread.
class ClipboardHolder {
public:
    ClipboardHolder()
        : held_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          release_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_(::CreateThread(nullptr, 0, &ClipboardHolder::Hold, this, 0, nullptr)) {
        EXPECT_NE(thread_, nullptr);
        if (thread_) ::WaitForSingleObject(held_, INFINITE);
    }
    ~ClipboardHolder() {
        ::SetEvent(release_);
        if (thread_) {
            ::WaitForSingleObject(thread_, INFINITE);
            ::CloseHandle(thread_);
        }
        ::CloseHandle(release_);
        ::CloseHandle(held_);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

private:
    static DWORD WINAPI Hold(void* param) {
        auto* self = static_cast<ClipboardHolder*>(param);
        const bool opened = ::OpenClipboard(nullptr) != FALSE;
        ::SetEvent(self->held_);
        ::WaitForSingleObject(self->release_, INFINITE);
        if (opened) ::CloseClipboard();
        return 0;
    }

    HANDLE held_, release_, thread_;
};

TEST(MessageDialogCopy, AClipboardHeldByAnotherThreadIsReportedTheSameWay) {
    MainWindowFixture f;
    ClipboardHolder holder;
    CopyAndExpectTheClipboardError(*f.app);
}

// --- Raised by the Calculate command -------------------------------------------------------

TEST(MessageDialogFromCalculate, TheWrongOrderErrorShowsBeforeTheMemoChanges) {
    MainWindowFixture f;
    const char* const fields[] = {"10", "00", "00", "09", "00", "00"};
    for (int i = 0; i < 6; ++i) {
        f.form->SetFieldText(("LabeledEdit" + std::to_string(i + 1)).c_str(), fields[i]);
    }
    const HWND memo = f.Control("Memo1");
    const std::wstring memoBefore = TextOf(memo);
    std::wstring memoDuring, title, message;
    RunDialog(
        [&] {
            PressAlt(*f.app, L'c');
            return 0;
        },
        [&](HWND dialog) {
            memoDuring = TextOf(memo);
            title = TextOf(dialog);
            message = TextOf(FormOf(dialog)->Message());
            PressKeyInLoop(*f.app, VK_RETURN);
        });
    EXPECT_EQ(memoDuring, memoBefore);
    EXPECT_EQ(title, L"エラー");
    EXPECT_EQ(message, Widen(kWrongOrder).c_str());
    EXPECT_EQ(TextOf(memo), L"エラーです。");
}

}  // namespace
}  // namespace quillfen::testing
