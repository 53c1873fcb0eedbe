// Keyboard entry in the seven fields: the Enter chain with its fills, the digit filter
// of the hour and minute fields, and the night-train flag.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "ui/win32/Clipboard.h"
#include "ui/win32/Text.h"

namespace quillfen::testing {
namespace {

const char* const kChain[] = {"LabeledEdit1", "LabeledEdit2", "LabeledEdit3", "LabeledEdit4",
                              "LabeledEdit5", "LabeledEdit6", "LabeledEdit7", "BitBtn1"};

// Alt+Enter, which arrives as a system key, on every other step.
TEST(EnterChain, FillsEmptyFieldsAndWalksToTheButtonWithEnterOrAltEnter) {
    MainWindowFixture f;
    for (int i = 0; i < 7; ++i) {
        ASSERT_EQ(::GetFocus(), f.Control(kChain[i]));
        PressKey(*f.app, VK_RETURN, false, false, i % 2 == 0);
        EXPECT_EQ(TextOf(f.Control(kChain[i])), i < 6 ? L"00" : L"0") << kChain[i];
        EXPECT_EQ(::GetFocus(), f.Control(kChain[i + 1]));
        if (i < 6) {
            EXPECT_EQ(Selection(f.Control(kChain[i + 1])),
                      std::make_pair(0, ::GetWindowTextLengthW(f.Control(kChain[i + 1]))));
        }
    }
    EXPECT_EQ(f.form->NightTrain, 0);
    PressKey(*f.app, VK_RETURN, false, false, true);
    EXPECT_NE(TextOf(f.Control("Memo1")), L"エラーです。") << "Alt+Enter clicks no button";
}

TEST(EnterChain, KeepsTextAndModifiersActAsEnter) {
    struct Case {
        bool shift, ctrl;
    } cases[] = {{false, false}, {true, false}, {false, true}};
    for (const Case& c : cases) {
        MainWindowFixture f;
        const HWND third = f.Control("LabeledEdit3");
        ::SetWindowTextW(third, L"5");
        ::SetFocus(third);
        PressKey(*f.app, VK_RETURN, c.shift, c.ctrl);
        EXPECT_EQ(TextOf(third), L"5");
        EXPECT_EQ(::GetFocus(), f.Control("LabeledEdit4")) << c.shift << c.ctrl;
        // A field of blanks is not empty and keeps its text.
        ::SetWindowTextW(f.Control("LabeledEdit4"), L" ");
        PressKey(*f.app, VK_RETURN, c.shift, c.ctrl);
        EXPECT_EQ(TextOf(f.Control("LabeledEdit4")), L" ");
    }
}

TEST(EnterChain, EightEntersFromEmptyReportEqualTimes) {
    MainWindowFixture f;
    std::wstring title;
    ActivationWatch watch([&](HWND h) {
        if (ClassOf(h) != L"TMessageForm") return;
        title = TextOf(h);
        ::PostMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageW(h, WM_CLOSE, 0, 0);
    });
    for (int i = 0; i < 8; ++i) PressKey(*f.app, VK_RETURN);
    EXPECT_EQ(title, L"エラー");
    EXPECT_EQ(TextOf(f.Control("Memo1")), L"エラーです。");
}

struct FilterCase {
    const char* field;
    bool filtered;
};

class DigitFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DigitFilter, HourAndMinuteFieldsTakeDigitsAndBackspaceOnly) {
    const FilterCase& c = GetParam();
    MainWindowFixture f;
    const HWND field = f.Control(c.field);
    ::SetFocus(field);
    TypeText(*f.app, L"1a- ２\r9");
    EXPECT_EQ(TextOf(field), c.filtered ? L"19" : L"1a- ２9");
    TypeChar(*f.app, L'\b');
    EXPECT_EQ(TextOf(field), c.filtered ? L"1" : L"1a- ２");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DigitFilter,
    ::testing::Values(FilterCase{"LabeledEdit1", true}, FilterCase{"LabeledEdit2", true},
                      FilterCase{"LabeledEdit3", false}, FilterCase{"LabeledEdit4", true},
                      FilterCase{"LabeledEdit5", true}, FilterCase{"LabeledEdit6", false},
                      FilterCase{"LabeledEdit7", false}));

TEST(DigitFilterPaste, PastedTextIsNotFiltered) {
    MainWindowFixture f;
    const HWND field = f.Control("LabeledEdit1");
    ::SetFocus(field);
    ASSERT_EQ(CopyTextToClipboard(f.form->hwnd(), "ab"), ClipboardResult::Copied);
    ::SendMessageW(field, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(field), L"ab");
}

TEST(NightTrainField, EnterSetsTheFlagFromTheExactText) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* after;
        int flag;
    } cases[] = {{L"1", L"1", 1}, {L"0", L"0", 0},     {L"", L"0", 0},    {L"01", L"01", 0},
                 {L"2", L"2", 0}, {L"yes", L"yes", 0}, {L" 1", L" 1", 0}, {L"１", L"１", 0}};
    for (const Case& c : cases) {
        MainWindowFixture f;
        f.form->NightTrain = 1 - c.flag;
        const HWND field = f.Control("LabeledEdit7");
        ::SetFocus(field);
        TypeText(*f.app, c.typed);
        PressKey(*f.app, VK_RETURN);
        EXPECT_EQ(TextOf(field), c.after);
        EXPECT_EQ(f.form->NightTrain, c.flag);
        EXPECT_EQ(::GetFocus(), f.Control("BitBtn1"));
    }
}

TEST(NightTrainField, TheFlagFollowsTheTextWithoutEnter) {
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    f.SetTimeFields({L"23", L"30", L"00", L"0", L"15", L"00"});
    const HWND night = f.Control("LabeledEdit7");
    ::SetFocus(night);
    TypeChar(*f.app, L'1');
    Click(*f.app, f.Control("BitBtn1"));
    EXPECT_EQ(f.form->NightTrain, 1);
    EXPECT_NE(TextOf(f.Control("Memo1")).find(L"（翌日）"), std::wstring::npos);

    ::SetFocus(night);
    TypeChar(*f.app, L'\b');
    EXPECT_EQ(TextOf(night), L"");
    EXPECT_EQ(f.form->NightTrain, 0);
    std::wstring title;
    ActivationWatch watch([&](HWND h) {
        if (ClassOf(h) != L"TMessageForm") return;
        title = TextOf(h);
        ::PostMessageW(h, WM_CLOSE, 0, 0);
    });
    Click(*f.app, f.Control("BitBtn1"));
    EXPECT_EQ(title, L"エラー") << "a cleared field gives a day trip";
}

}  // namespace
}  // namespace quillfen::testing
