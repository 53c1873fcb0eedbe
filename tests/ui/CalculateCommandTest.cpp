// The Calculate command end to end through the real main window: every outcome of the
// trip calculation shows in the memo and, for order errors, in a dialog first.
#include <gtest/gtest.h>

#include <stdexcept>

#include "GuiTestSupport.h"
#include "logic/ClockTime.h"
#include "ui/win32/Clipboard.h"
#include "ui/win32/Text.h"

namespace quillfen::testing {
namespace {

// What a message dialog showed, and what the memo held while it was up.
struct SeenDialog {
    std::wstring title;
    std::wstring text;
    std::wstring memoWhileOpen;
};

BOOL CALLBACK CollectTexts(HWND child, LPARAM p) {
    auto* texts = reinterpret_cast<std::vector<std::pair<std::wstring, HWND>>*>(p);
    texts->emplace_back(ClassOf(child), child);
    return TRUE;
}

// Answers every message dialog with its first button and records what it showed.
class DialogAnswerer {
public:
    explicit DialogAnswerer(HWND memo)
        : watch_([this, memo](HWND h) {
              if (ClassOf(h) != L"TMessageForm") return;
              std::vector<std::pair<std::wstring, HWND>> children;
              ::EnumChildWindows(h, CollectTexts, reinterpret_cast<LPARAM>(&children));
              SeenDialog seen{TextOf(h), {}, TextOf(memo)};
              HWND button = nullptr;
              for (auto& [cls, child] : children) {
                  if (cls == L"Button" && !button) button = child;
                  if (cls == L"Static" && !TextOf(child).empty()) seen.text = TextOf(child);
              }
              dialogs.push_back(seen);
              ::PostMessageW(button, BM_CLICK, 0, 0);
          }) {}
    std::vector<SeenDialog> dialogs;

private:
    ActivationWatch watch_;
};

struct ClockFormatScope {
    explicit ClockFormatScope(char separator) : saved(ClockSettings) {
        ClockSettings = {"h:mm:ss", separator, '.', "午前", "午後"};
    }
    ~ClockFormatScope() { ClockSettings = saved; }
    TClockSettings saved;
};

struct Row {
    const char* name;
    std::array<const wchar_t*, 6> fields;
    const wchar_t* night;
    const wchar_t* memo;
    const wchar_t* dialogTitle;  // nullptr: no dialog
    const wchar_t* dialogText;
    bool clip;
};

const wchar_t kWrongOrder[] =
    L"出発・到着時刻が正しく設定されていません\r\n("
    L"0時をまたぐ場合は「夜行に乗る」に1を入れてください)";

const Row kRows[] = {
    {"day trip",
     {L"9", L"05", L"00", L"11", L"20", L"30"},
     L"0",
     L"出発：9:05:00\r\n到着：11:20:30\r\n所要時間は2:15:30です。",
     nullptr,
     nullptr,
     true},
    {"same time by day",
     {L"00", L"00", L"00", L"00", L"00", L"00"},
     L"0",
     L"エラーです。",
     L"エラー",
     L"出発・到着が同時刻になっています",
     false},
    {"wrong order by day",
     {L"23", L"30", L"00", L"0", L"15", L"00"},
     L"",
     L"エラーです。",
     L"エラー",
     kWrongOrder,
     false},
    {"night trip",
     {L"23", L"30", L"00", L"0", L"15", L"00"},
     L"1",
     L"出発：23:30:00\r\n到着：0:15:00（翌日）\r\n所要時間は0:45:00です。",
     nullptr,
     nullptr,
     true},
    {"same time at night",
     {L"00", L"00", L"00", L"00", L"00", L"00"},
     L"1",
     L"エラーです。",
     L"警告",
     L"そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや",
     false},
    {"whole day at night",
     {L"8", L"0", L"0", L"9", L"0", L"0"},
     L"1",
     L"エラーです。",
     L"警告",
     L"そんなに長く電車乗ったら体壊すよ\r\n新幹線乗れや",
     false},
    {"letters",
     {L"9", L"05", L"ab", L"11", L"20", L"30"},
     L"0",
     L"文字が入力されました。\r\nエラーです(2)。",
     nullptr,
     nullptr,
     false},
    {"empty field",
     {L"9", L"", L"00", L"11", L"20", L"30"},
     L"1",
     L"文字が入力されました。\r\nエラーです(2)。",
     nullptr,
     nullptr,
     false},
    {"hour 24",
     {L"24", L"0", L"0", L"11", L"20", L"30"},
     L"0",
     L"時刻入力エラーです(1)。",
     nullptr,
     nullptr,
     false},
    {"second -1",
     {L"9", L"0", L"-1", L"11", L"20", L"30"},
     L"0",
     L"時刻入力エラーです(1)。",
     nullptr,
     nullptr,
     false},
};

class CalculateCommand : public ::testing::TestWithParam<Row> {};

TEST_P(CalculateCommand, CarriesOutTheOutcomeInOrder) {
    const Row& row = GetParam();
    ClockFormatScope clock(':');
    MainWindowFixture f;
    int clips = 0;
    f.form->playClip = [&] {
        ++clips;
        return true;
    };
    f.SetTimeFields(row.fields);
    ::SetWindowTextW(f.Control("LabeledEdit7"), row.night);
    const std::wstring memoBefore = TextOf(f.Control("Memo1"));

    DialogAnswerer answerer(f.Control("Memo1"));
    ::SetFocus(f.Control("Memo1"));
    PressAlt(*f.app, L'c');

    EXPECT_EQ(TextOf(f.Control("Memo1")), row.memo);
    if (row.dialogTitle) {
        ASSERT_EQ(answerer.dialogs.size(), 1u);
        EXPECT_EQ(answerer.dialogs[0].title, row.dialogTitle);
        EXPECT_EQ(answerer.dialogs[0].text, row.dialogText);
        EXPECT_EQ(answerer.dialogs[0].memoWhileOpen, memoBefore) << "the dialog comes first";
    } else {
        EXPECT_TRUE(answerer.dialogs.empty());
    }
    EXPECT_EQ(clips, row.clip ? 1 : 0);
    const HWND first = f.Control("LabeledEdit1");
    EXPECT_EQ(::GetFocus(), first);
    EXPECT_EQ(Selection(first).second, ::GetWindowTextLengthW(first));
    EXPECT_EQ(Selection(first).first, 0);
}

INSTANTIATE_TEST_SUITE_P(DecisionTable, CalculateCommand, ::testing::ValuesIn(kRows),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return n;
                         });

TEST(CalculateCommandEffects, StoresTheSixReadings) {
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    f.SetTimeFields({L"007", L" 5", L"$1F", L"11", L"20", L"30"});
    PressAlt(*f.app, L'c');
    EXPECT_EQ(f.form->DepartHour, 7);
    EXPECT_EQ(f.form->DepartMinute, 5);
    EXPECT_EQ(f.form->DepartSecond, 31);
    EXPECT_EQ(f.form->ArriveHour, 11);
    EXPECT_EQ(f.form->ArriveMinute, 20);
    EXPECT_EQ(f.form->ArriveSecond, 30);
}

TEST(CalculateCommandEffects, AClipThatCannotStartIsReportedAfterTheMemoIsFilled) {
    ClockFormatScope clock(':');
    for (bool throws : {false, true}) {
        SCOPED_TRACE(throws ? "start raises" : "start refused");
        MainWindowFixture f;
        f.form->playClip = [throws]() -> bool {
            if (throws) throw std::runtime_error("no device");
            return false;
        };
        f.SetTimeFields({L"9", L"05", L"00", L"11", L"20", L"30"});
        DialogAnswerer answerer(f.Control("Memo1"));
        PressAlt(*f.app, L'c');
        ASSERT_EQ(answerer.dialogs.size(), 1u);
        EXPECT_EQ(answerer.dialogs[0].title, L"Quillfen");
        EXPECT_EQ(answerer.dialogs[0].text, L"猫がいません");
        EXPECT_EQ(answerer.dialogs[0].memoWhileOpen,
                  L"出発：9:05:00\r\n到着：11:20:30\r\n所要時間は2:15:30です。");
        EXPECT_EQ(::GetFocus(), f.Control("LabeledEdit1"));
    }
}

TEST(CalculateCommandEffects, NightTripWithADotSeparatorGivesItsResult) {
    ClockFormatScope clock('.');
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    f.SetTimeFields({L"23", L"30", L"00", L"0", L"15", L"00"});
    ::SetWindowTextW(f.Control("LabeledEdit7"), L"1");
    bool errorBox = false;
    ActivationWatch watch([&](HWND h) {
        errorBox = true;
        ::PostMessageW(h, WM_CLOSE, 0, 0);
    });
    PressAlt(*f.app, L'c');
    EXPECT_FALSE(errorBox);
    EXPECT_EQ(TextOf(f.Control("Memo1")),
              L"出発：23.30.00\r\n到着：0.15.00（翌日）\r\n所要時間は0.45.00です。");
}

TEST(CalculateCommandEffects, RunsFromEnterOrSpaceOnTheButtonButNotShiftEnter) {
    struct Case {
        WORD key;
        bool shift;
        bool runs;
    } cases[] = {{VK_RETURN, false, true}, {VK_SPACE, false, true}, {VK_RETURN, true, false}};
    for (const Case& c : cases) {
        MainWindowFixture f;
        f.form->playClip = [] { return true; };
        ::SetWindowTextW(f.Control("LabeledEdit1"), L"x");
        ::SetFocus(f.Control("BitBtn1"));
        Pump(*f.app);
        PressKey(*f.app, c.key, c.shift);
        EXPECT_EQ(TextOf(f.Control("Memo1")) == L"文字が入力されました。\r\nエラーです(2)。",
                  c.runs)
            << c.key << " shift " << c.shift;
    }
}

// 100,000 characters pasted into a field and into the memo: the calculation still
// answers with the character error and leaves the field's text whole. The memo's text
// comes in lines: Wine's edit control word-wraps one unbroken paragraph of that length
// in quadratic time, which would measure Wine rather than the program.
TEST(CalculateCommandEffects, HugePastedTextIsAnsweredWithTheCharacterError) {
    MainWindowFixture f;
    const std::string digits(100000, '7');
    std::string lines = digits;
    for (size_t i = 78; i + 1 < lines.size(); i += 80) {
        lines[i] = '\r';
        lines[i + 1] = '\n';
    }
    const struct {
        const char* control;
        const std::string& text;
    } pastes[] = {{"LabeledEdit3", digits}, {"Memo1", lines}};
    for (const auto& paste : pastes) {
        ASSERT_EQ(CopyTextToClipboard(f.form->hwnd(), paste.text), ClipboardResult::Copied);
        ::SetFocus(f.Control(paste.control));
        ::SendMessageW(f.Control(paste.control), EM_SETSEL, 0, -1);
        ::SendMessageW(f.Control(paste.control), WM_PASTE, 0, 0);
        EXPECT_EQ(::GetWindowTextLengthW(f.Control(paste.control)), 100000) << paste.control;
    }
    PressAlt(*f.app, L'c');
    EXPECT_EQ(TextOf(f.Control("Memo1")), L"文字が入力されました。\r\nエラーです(2)。");
    EXPECT_EQ(GetWindowTextUtf8(f.Control("LabeledEdit3")), digits);
    EXPECT_EQ(::GetFocus(), f.Control("LabeledEdit1"));
}

}  // namespace
}  // namespace quillfen::testing
