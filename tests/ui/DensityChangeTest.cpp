// Windows laid out again when their monitor's density changes. The system sends the
// change; here the test sends it, with the density set through the display-metrics seam,
// and each window must then look as the same window built at the new density does.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"
#include "ui/forms/About.h"
#include "ui/forms/MessageDialogs.h"
#include "ui/win32/DisplayMetrics.h"

namespace quillfen::testing {
namespace {

std::string Text(const char* what, RECT r) {
    return std::string(what) + " " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM p) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    reinterpret_cast<std::vector<std::string>*>(p)->push_back(
        Text(Narrow(ClassOf(child)).c_str(), RectInParent(child)) + " font " +
        std::to_string(font.lfHeight) + " " + Narrow(TextOf(child)));
    return TRUE;
}

// What a window shows: its size, every child window's class, place, font and text, and
// what the row adds (the pictures and what else the window draws by its own measure).
using Extras = std::function<void(HWND, std::vector<std::string>&)>;
std::vector<std::string> Look(HWND window, const Extras& extras) {
    RECT frame{}, client{};
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &client);
    std::vector<std::string> look{Text("window", {0, 0, frame.right - frame.left,
                                                  frame.bottom - frame.top}),
                                  Text("client", client)};
    ::EnumChildWindows(window, &DescribeChild, reinterpret_cast<LPARAM>(&look));
    extras(window, look);
    return look;
}

void MainWindowExtras(HWND, std::vector<std::string>& look) {
    const auto& form = static_cast<const TForm1&>(*TApplication::Instance()->MainForm());
    int w = 0, h = 0;
    ::ImageList_GetIconSize(form.ImageList1(), &w, &h);
    const SIZE glyph = form.BitBtn1Glyph().imageSize();
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(form.hwnd(), WM_GETICON, ICON_SMALL, 0));
    look.push_back(Text("menu pictures", {0, 0, w, h}));
    look.push_back(Text("glyph", {0, 0, glyph.cx, glyph.cy}));
    look.push_back(Text("icon", {0, 0, IconSize(icon).cx, IconSize(icon).cy}));
    const MenuBar& bar = form.ActionMainMenuBar1();
    for (size_t i = 0; i < bar.Menu().size(); ++i)
        look.push_back(Text("menu entry", bar.EntryRect(static_cast<int>(i))));
    look.push_back("night train " + std::to_string(form.NightTrain));
}

// Opens the row's window at the density set now, in the state a user left it in, and
// hands it to `visit` while it is up.
using Opener = std::function<void(const std::function<void(HWND)>& visit)>;

void OpenMainWindow(const std::function<void(HWND)>& visit) {
    MainWindowFixture f;
    f.SetTimeFields({L"23", L"30", L"00", L"0", L"15", L"00"});
    ::SetWindowTextW(f.Control("LabeledEdit7"), L"1");
    ::SetWindowTextW(f.Control("Memo1"), L"出発 23:30:00\r\n到着 0:15:00");
    f.form->FocusControl(f.Control("LabeledEdit2"));
    ::SendMessageW(f.Control("LabeledEdit2"), EM_SETSEL, 1, 2);
    visit(f.form->hwnd());
}

void OpenAboutBox(const std::function<void(HWND)>& visit) {
    MainWindowFixture f;
    visit(f.app->CreateForm<TAboutBox>().hwnd());
}

// The message dialog is modal: it is visited from its own loop, and then closed.
void OpenMessageDialog(const std::function<void(HWND)>& visit) {
    MainWindowFixture f;
    bool seen = false;
    ActivationWatch watch([&](HWND h) {
        if (seen || ClassOf(h) != L"TMessageForm") return;
        seen = true;
        RunSoon([&visit, h] {
            visit(h);
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        });
    });
    ShowMessageDialog("開始時刻が終了時刻より後です。\r\n夜行列車ですか？", TMsgDlgType::mtWarning,
                      {mbYes, mbNo}, 0);
    EXPECT_TRUE(seen);
}

void NoExtras(HWND, std::vector<std::string>&) {}
void AboutExtras(HWND, std::vector<std::string>& look) {
    look.push_back("picture " + std::to_string(AboutBox()->PictureSize()));
}

struct Row {
    const char* window;
    Opener open;
    Extras extras;
};

class DensityChange : public ::testing::TestWithParam<Row> {
protected:
    void TearDown() override { SetDisplayMetricsOverride({}); }

    std::vector<std::string> BuiltAt(int pixelsPerInch) {
        SetDisplayMetricsOverride({pixelsPerInch, 0});
        std::vector<std::string> look;
        GetParam().open([&](HWND window) { look = Look(window, GetParam().extras); });
        return look;
    }
};

// What the system does when the monitor's scale changes: asks for the size, then tells
// the density and the rectangle with that size.
RECT ChangeDensity(HWND window, int pixelsPerInch) {
    SetDisplayMetricsOverride({pixelsPerInch, 0});
    RECT now{};
    ::GetWindowRect(window, &now);
    SIZE size{now.right - now.left, now.bottom - now.top};
    EXPECT_TRUE(::SendMessageW(window, kGetDpiScaledSize, static_cast<WPARAM>(pixelsPerInch),
                               reinterpret_cast<LPARAM>(&size)));
    RECT suggested{now.left + 10, now.top + 20, now.left + 10 + size.cx, now.top + 20 + size.cy};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(pixelsPerInch, pixelsPerInch),
                   reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

TEST_P(DensityChange, LooksAsBuiltAtTheNewDensityAndKeepsWhatTheUserHas) {
    const std::vector<std::string> at96 = BuiltAt(96), at144 = BuiltAt(144);
    ASSERT_NE(at96, at144);  // else the test would show nothing
    SetDisplayMetricsOverride({96, 0});
    GetParam().open([&](HWND window) {
        const HWND focus = ::GetFocus();
        DWORD start = 0, end = 0;
        ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        for (const int pixelsPerInch : {144, 96}) {
            SCOPED_TRACE(pixelsPerInch);
            const RECT suggested = ChangeDensity(window, pixelsPerInch);
            EXPECT_EQ(Look(window, GetParam().extras), pixelsPerInch == 144 ? at144 : at96);
            RECT now{};
            ::GetWindowRect(window, &now);
            EXPECT_TRUE(::EqualRect(&now, &suggested));
            EXPECT_EQ(::GetFocus(), focus);
            DWORD nowStart = 0, nowEnd = 0;
            ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&nowStart),
                           reinterpret_cast<LPARAM>(&nowEnd));
            EXPECT_EQ(nowStart, start);
            EXPECT_EQ(nowEnd, end);
        }
    });
}

// The first item's height in the drop-down as it opens next.
int FirstItemHeight(TApplication& app, MenuBar& bar, SoundLog& sounds) {
    int height = 0;
    sounds.OnDropDown([&] {
        RECT item{};
        if (::GetMenuItemRect(bar.hwnd(), bar.DropDown(0), 0, &item)) height = item.bottom - item.top;
        PostKey(VK_ESCAPE);
    });
    PressAlt(app, L'p');
    return height;
}

TEST(DensityChangeOfTheMenu, AnOpenDropDownClosesAndOpensAgainAtTheNewSize) {
    SetDisplayMetricsOverride({144, 0});
    int at144 = 0;
    {
        MainWindowFixture f;
        SoundLog sounds;
        at144 = FirstItemHeight(*f.app, f.form->ActionMainMenuBar1(), sounds);
    }
    SetDisplayMetricsOverride({96, 0});
    MainWindowFixture f;
    MenuBar& bar = f.form->ActionMainMenuBar1();
    SoundLog sounds;
    int openDuringChange = -2;
    sounds.OnDropDown([&] {
        ChangeDensity(f.form->hwnd(), 144);
        // Not from inside the change: the drop-down's loop ends once it is back.
        RunSoon([&] {
            openDuringChange = OpenDropDownWindow() ? bar.OpenIndex() : -1;
            if (openDuringChange >= 0) PostKey(VK_ESCAPE);
        });
    });
    PressAlt(*f.app, L'p');
    Pump(*f.app);
    EXPECT_EQ(bar.OpenIndex(), -1);
    EXPECT_NE(openDuringChange, 0);
    EXPECT_NE(at144, 0);
    EXPECT_EQ(FirstItemHeight(*f.app, bar, sounds), at144);
    SetDisplayMetricsOverride({});
}

INSTANTIATE_TEST_SUITE_P(
    EveryWindow, DensityChange,
    ::testing::Values(Row{"MainWindow", &OpenMainWindow, &MainWindowExtras},
                      Row{"AboutBox", &OpenAboutBox, &AboutExtras},
                      Row{"MessageDialog", &OpenMessageDialog, &NoExtras}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.window); });

}  // namespace
}  // namespace quillfen::testing
