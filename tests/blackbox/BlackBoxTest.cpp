// The real program, started under Wine and used from the keyboard alone.
#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>

#include "ProgramDriver.h"
#include "tests/common/Clipboard.h"

namespace quillfen::blackbox {
namespace {

TEST(Program, ShowsItsMainWindowAndEndsWithExitCodeZeroOnTheCloseBox) {
    ProgramDriver program;
    EXPECT_EQ(WindowText(program.mainWindow()), L"Quillfen_2.03b");
    // The close box sends this command; clicking it needs a window manager's frame.
    ::PostMessageW(program.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// The libraries the file imports, read from its import directory.
std::set<std::wstring> ImportedLibraries() {
    wchar_t exe[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"QUILLFEN_EXE", exe, MAX_PATH);
    const HMODULE image = ::LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image) return {};
    // The handle of a resource-only mapping carries flags in its low bits.
    const auto* base =
        reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::set<std::wstring> names;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dir.VirtualAddress && d->Name; ++d) {
        std::wstring name;
        for (const char* c = reinterpret_cast<const char*>(base + d->Name); *c; ++c)
            name += static_cast<wchar_t>(std::towlower(static_cast<unsigned char>(*c)));
        names.insert(name);
    }
    ::FreeLibrary(image);
    return names;
}

// Every imported library loads before the first window can show, so only those the
// first window needs are imported (winmm, for one, is loaded at the first sound); ole32
// is, since the thread joins its COM apartment before that window.
TEST(Program, ImportsOnlyWhatTheFirstWindowNeeds) {
    const std::set<std::wstring> allowed{L"kernel32.dll", L"user32.dll",   L"gdi32.dll",
                                         L"comctl32.dll", L"uxtheme.dll",  L"advapi32.dll",
                                         L"msvcrt.dll",   L"ole32.dll"};
    const std::set<std::wstring> imported = ImportedLibraries();
    ASSERT_TRUE(imported.count(L"user32.dll"));
    for (const std::wstring& name : imported) EXPECT_TRUE(allowed.count(name)) << name;
}

TEST(Program, AltF4EndsWithExitCodeZero) {
    ProgramDriver program;
    program.AltKey(VK_F4);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Program, MinimisedLaunchShowsOnlyTheTaskbarEntryUntilRestored) {
    ProgramDriver program(SW_SHOWMINNOACTIVE);
    const HWND app = program.applicationWindow();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(WindowText(app), L"Quillfen");
    EXPECT_TRUE(::IsIconic(app));
    const HWND main = program.WaitForWindow(L"TForm1", 0, /*visibleOnly=*/false);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(::IsWindowVisible(main));
    // Restore from the taskbar entry's window menu.
    ::PostMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle(800);
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(::IsIconic(app));
    // Close from the same menu ends the program.
    ::PostMessageW(app, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Program, MaximisedLaunchOpensTheMainWindowMaximised) {
    ProgramDriver program(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(::IsZoomed(program.mainWindow()));
    program.AltKey(VK_F4);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

struct Trip {
    const char* keys;  // digits typed; '\n' is Enter
    const wchar_t* memo;
};

// Typed from the first field: three fields of departure, three of arrival, the
// night-train field, then Enter on the Calculate button. The memo in the regional format
// of each locale the tests run under: the bench's, 12-hour with AM/PM, "." separating.
constexpr const char* kDayKeys = "9\n05\n00\n11\n20\n30\n\n\n";
constexpr const char* kNightKeys = "23\n30\n00\n0\n15\n00\n1\n\n";
const struct {
    const wchar_t* locale;
    Trip trips[2];
} kTripsByLocale[] = {
    {L"ja-JP",
     {{kDayKeys, L"出発：9:05:00\r\n到着：11:20:30\r\n所要時間は2:15:30です。"},
      {kNightKeys, L"出発：23:30:00\r\n到着：0:15:00（翌日）\r\n所要時間は0:45:00です。"}}},
    {L"en-US",
     {{kDayKeys, L"出発：9:05:00 AM\r\n到着：11:20:30 AM\r\n所要時間は2:15:30です。"},
      {kNightKeys, L"出発：11:30:00 PM\r\n到着：12:15:00 AM（翌日）\r\n所要時間は0:45:00です。"}}},
    {L"fi-FI",
     {{kDayKeys, L"出発：9.05.00\r\n到着：11.20.30\r\n所要時間は2.15.30です。"},
      {kNightKeys, L"出発：23.30.00\r\n到着：0.15.00（翌日）\r\n所要時間は0.45.00です。"}}},
};

// The day and the night trip for the user's locale; fails the test for an unknown one.
const Trip* TripsHere() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    for (const auto& l : kTripsByLocale) {
        if (std::wstring(name) == l.locale) return l.trips;
    }
    ADD_FAILURE() << "no expected memo for the locale " << name;
    return nullptr;
}

void TypeTrip(const ProgramDriver& program, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        if (*k == '\n') {
            program.Key(VK_RETURN);
        } else {
            program.Type(std::string(1, *k));
        }
    }
    Settle(300);
}

TEST(Program, WorkedExamplesTypedFromTheKeyboardAlone) {
    const Trip* trips = TripsHere();
    ASSERT_NE(trips, nullptr);
    ProgramDriver program;
    for (int i = 0; i < 2; ++i) {
        TypeTrip(program, trips[i].keys);
        EXPECT_EQ(program.MemoText(), trips[i].memo);
    }
    program.AltKey(VK_F4);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

using testsupport::ClipboardText;

TEST(ProgramMenu, AltPThenCCopiesTheResult) {
    const Trip* trips = TripsHere();
    ASSERT_NE(trips, nullptr);
    ProgramDriver program;
    TypeTrip(program, trips[0].keys);
    const std::wstring memo = program.MemoText();
    ASSERT_EQ(memo, trips[0].memo);
    program.AltKey('P');
    Settle(300);
    program.Key('C');
    Settle(300);
    EXPECT_EQ(ClipboardText(), memo);
}

TEST(ProgramMenu, AltHThenAOpensTheAboutBoxAndEnterClosesIt) {
    ProgramDriver program;
    program.AltKey('H');
    Settle(300);
    program.Key('A');
    const HWND about = program.WaitForWindow(L"TAboutBox", 5000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), L"バージョン情報");
    EXPECT_FALSE(::IsWindowEnabled(program.mainWindow()));
    program.Key(VK_RETURN);
    Settle(300);
    EXPECT_FALSE(::IsWindowVisible(about));
    EXPECT_TRUE(::IsWindowEnabled(program.mainWindow()));
}

TEST(ProgramMenu, AltPThenXEndsWithExitCodeZero) {
    ProgramDriver program;
    program.AltKey('P');
    Settle(300);
    program.Key('X');
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// The taskbar's Close (or a session tool's) while a drop-down is open: the drop-down's loop
// ends, and then the program, as the same close does with no drop-down open.
TEST(ProgramMenu, CloseRequestWhileADropDownIsOpenEndsWithExitCodeZero) {
    for (const WORD mnemonic : {'P', 'H'}) {
        ProgramDriver program;
        program.AltKey(mnemonic);
        Settle(300);
        ::PostMessageW(program.mainWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u) << static_cast<char>(mnemonic);
    }
}

// Logging off while a modal window is up ends its loop, and then the program.
TEST(ProgramSession, EndingTheSessionClosesAnOpenModalWindowAndEndsTheProgram) {
    const struct {
        const wchar_t* windowClass;
        void (*open)(const ProgramDriver&);
    } kCases[] = {
        {L"TAboutBox",
         [](const ProgramDriver& p) {
             p.AltKey('H');
             Settle(300);
             p.Key('A');
         }},
        // Arrival before departure on a day trip: the wrong-order dialog.
        {L"TMessageForm",
         [](const ProgramDriver& p) { TypeTrip(p, "10\n00\n00\n9\n00\n00\n\n\n"); }},
    };
    for (const auto& c : kCases) {
        ProgramDriver program;
        c.open(program);
        ASSERT_NE(program.WaitForWindow(c.windowClass, 5000), nullptr) << c.windowClass;
        program.EndSession();
        EXPECT_EQ(program.WaitForExit(1000), 0u) << c.windowClass;
    }
}

}  // namespace
}  // namespace quillfen::blackbox
