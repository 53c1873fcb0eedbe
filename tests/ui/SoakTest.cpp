// Long random keyboard sessions against the real main window: nothing crashes or hangs,
// every calculation shows what the logic says, and dialogs leave nothing behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "GuiTestSupport.h"
#include "ui/forms/About.h"

namespace quillfen::testing {
namespace {

// A count from the environment (QUILLFEN_SOAK_KEYS, QUILLFEN_SOAK_DIALOGS,
// QUILLFEN_SOAK_ABOUT_BOXES) for longer runs, else the default.
int CountFromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

std::string Expected(const MainWindowFixture& f) {
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i) texts[i] = f.form->FieldText(kTimeFields[i]);
    return CalculateTrip(texts, f.form->NightTrain).Outcome.MemoText;
}

// Answers every message dialog (and the About box, when given) with a click on its
// button, from inside its own loop (Enter would not do while the test still holds Alt
// from Alt+C).
struct DialogCloser {
    int closed = 0;
    TAboutBox* about = nullptr;
    ActivationWatch watch{[this](HWND h) {
        if (about && h == about->hwnd()) {
            ::PostMessageW(about->ControlHandle("OKButton"), BM_CLICK, 0, 0);
            return;
        }
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

// The process's GDI objects. Wine answers 0 to GetGuiResources; there every handle index is
// tried with GetObjectType, which Wine accepts without the handle's generation bits.
int GdiObjectCount() {
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index) {
        count += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return count;
}

// Index of a field among the six time fields and the night-train field, or -1.
int FieldIndex(const MainWindowFixture& f, HWND h) {
    for (int i = 0; i < 6; ++i) {
        if (f.Control(kTimeFields[i]) == h) return i;
    }
    return f.Control("LabeledEdit7") == h ? 6 : -1;
}

// Random keys, with whole plausible entries mixed in (End, Backspaces, a value, Enter) so
// that many calculations reach a result.
TEST(Soak, RandomKeystrokes) {
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    DialogCloser closer;
    std::mt19937 random(20261208);
    const wchar_t letters[] = L"0123456789012345678901234567890123456789abcxyz-";
    const int keys = CountFromEnvironment("QUILLFEN_SOAK_KEYS", 2000);
    int pressed = 0, calculations = 0, results = 0;
    auto press = [&](WORD vk, bool shift = false) { PressKey(*f.app, vk, shift), ++pressed; };
    auto type = [&](const std::wstring& text) {
        for (wchar_t ch : text) TypeChar(*f.app, ch), ++pressed;
    };
    while (pressed < keys) {
        const HWND focus = ::GetFocus();
        const int field = FieldIndex(f, focus);
        bool calculates = false;
        switch (random() % 12) {
            case 0:
            case 1:
                press(VK_RETURN);
                calculates = focus == f.Control("BitBtn1");
                break;
            case 2:
                press(VK_TAB, random() % 4 == 0);
                break;
            case 3:
                press(VK_BACK);
                break;
            case 4:
            case 5:
            case 6:
                PressAlt(*f.app, L'c'), ++pressed;
                calculates = true;
                break;
            case 7:
            case 8:
            case 9:
            case 10:
                if (field >= 0) {
                    press(VK_END);
                    for (std::size_t n = TextOf(focus).size(); n > 0; --n) press(VK_BACK);
                    // Departures in the morning, arrivals in the afternoon, few night trains.
                    const unsigned value = field == 6   ? random() % 4 == 0
                                           : field == 0 ? random() % 12
                                           : field == 3 ? 12 + random() % 12
                                                        : random() % 60;
                    type(std::to_wstring(value));
                    press(VK_RETURN);
                    break;
                }
                [[fallthrough]];
            default:
                type(std::wstring(1, letters[random() % (sizeof letters / sizeof *letters - 1)]));
                break;
        }
        ASSERT_TRUE(::IsWindow(f.form->hwnd()));
        if (calculates) {
            ++calculations;
            const std::string memo = f.form->FieldText("Memo1");
            ASSERT_EQ(memo, Expected(f)) << "keystroke " << pressed;
            results += memo.rfind("出発：", 0) == 0;
        }
    }
    std::printf("soak: %d keys, %d calculations, %d results, %d dialogs\n", pressed, calculations,
                results, closer.closed);
    EXPECT_GT(calculations, keys / 10);
    EXPECT_GE(results * 3, calculations);
    EXPECT_GT(closer.closed, 0);
}

TEST(Soak, DialogsAndAboutBoxesLeaveNoWindowsOrObjectsBehind) {
    MainWindowFixture f;
    TAboutBox& about = f.app->CreateForm<TAboutBox>();
    for (const char* field : kTimeFields) ::SetWindowTextW(f.Control(field), L"00");
    DialogCloser closer;
    closer.about = &about;
    // The first of each loads what stays for the run (fonts, captions, the picture).
    PressAlt(*f.app, L'c');
    about.ShowModal();
    const int windows = ThreadWindowCount();
    const int gdi = GdiObjectCount();
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    ASSERT_GT(gdi, 0);
    const int dialogs = CountFromEnvironment("QUILLFEN_SOAK_DIALOGS", 1000);
    const int aboutBoxes = CountFromEnvironment("QUILLFEN_SOAK_ABOUT_BOXES", 100);
    for (int i = 0; i < dialogs; ++i) PressAlt(*f.app, L'c');
    for (int i = 0; i < aboutBoxes; ++i) EXPECT_EQ(about.ShowModal(), IDOK);
    std::printf("soak: %d dialogs, %d about boxes, GDI objects %d -> %d, windows %d -> %d\n",
                dialogs, aboutBoxes, gdi, GdiObjectCount(), windows, ThreadWindowCount());
    EXPECT_EQ(closer.closed, dialogs + 1);
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_LE(GdiObjectCount(), gdi + 2);
    // Wine reports zero USER objects; on Windows they must not grow.
    EXPECT_LE(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), user + 2);
    EXPECT_EQ(f.form->FieldText("Memo1"), "エラーです。");
}

}  // namespace
}  // namespace quillfen::testing
