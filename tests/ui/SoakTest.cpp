// Long random keyboard sessions against the real main window: nothing crashes or hangs,
// every calculation shows what the logic says, and dialogs leave nothing behind.
#include <gtest/gtest.h>

#include <random>

#include "GuiTestSupport.h"

namespace quillfen::testing {
namespace {

std::string Expected(const MainWindowFixture& f) {
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i) texts[i] = f.form->FieldText(kTimeFields[i]);
    return CalculateTrip(texts, f.form->NightTrain).Outcome.MemoText;
}

// Answers every message dialog with a click on its button, from inside its own loop
// (Enter would not do while the test still holds Alt from Alt+C).
struct DialogCloser {
    int closed = 0;
    ActivationWatch watch{[this](HWND h) {
        if (ClassOf(h) != L"TMessageForm") return;
        ++closed;
        ::PostMessageW(::FindWindowExW(h, nullptr, L"Button", nullptr), BM_CLICK, 0, 0);
    }};
};

BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND h, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    ::EnumChildWindows(h, CountChild, p);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(Soak, TwoThousandRandomKeystrokes) {
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    DialogCloser closer;
    std::mt19937 random(20261208);
    const wchar_t letters[] = L"0123456789012345678901234567890123456789abcxyz-";
    int calculations = 0;
    for (int i = 0; i < 2000; ++i) {
        const HWND focusBefore = ::GetFocus();
        const bool onButton = focusBefore == f.Control("BitBtn1");
        bool calculates = false;
        switch (random() % 10) {
            case 0:
            case 1:
                PressKey(*f.app, VK_RETURN);
                calculates = onButton;
                break;
            case 2:
                PressKey(*f.app, VK_TAB, random() % 4 == 0);
                break;
            case 3:
                PressKey(*f.app, VK_BACK);
                break;
            case 4:
                PressAlt(*f.app, L'c');
                calculates = true;
                break;
            default: {
                const wchar_t ch = letters[random() % (sizeof letters / sizeof *letters - 1)];
                TypeChar(*f.app, ch);
                break;
            }
        }
        ASSERT_TRUE(::IsWindow(f.form->hwnd()));
        if (calculates) {
            ++calculations;
            ASSERT_EQ(f.form->FieldText("Memo1"), Expected(f)) << "keystroke " << i;
        }
    }
    EXPECT_GT(calculations, 200);
    EXPECT_GT(closer.closed, 0);
}

TEST(Soak, DialogCyclesLeaveNoWindowsOrObjectsBehind) {
    MainWindowFixture f;
    for (const char* field : kTimeFields) ::SetWindowTextW(f.Control(field), L"00");
    DialogCloser closer;
    PressAlt(*f.app, L'c');  // the first cycle loads what stays for the run (fonts, captions)
    const int windows = ThreadWindowCount();
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 200; ++i) PressAlt(*f.app, L'c');
    EXPECT_EQ(closer.closed, 201);
    EXPECT_EQ(ThreadWindowCount(), windows);
    // Wine reports zero for both counters; on Windows they must not grow.
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), user + 2);
    EXPECT_EQ(f.form->FieldText("Memo1"), "エラーです。");
}

}  // namespace
}  // namespace quillfen::testing
