// Windows laid out again when their monitor's density changes: the test plays the system
// (the density through the display-metrics seam, the messages sent), and each window must
// then look as the same window built at that density does.
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

namespace quillfen::testing {
namespace {

using Look = std::vector<std::string>;

std::string Line(const std::wstring& what, RECT r) {
    return Narrow(what) + " " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

int FontHeight(HFONT font) {
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    return lf.lfHeight;
}

BOOL CALLBACK AddChild(HWND child, LPARAM to) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
    reinterpret_cast<Look*>(to)->push_back(Line(ClassOf(child), RectInParent(child)) + " " +
                                           std::to_string(FontHeight(font)) + " " +
                                           Narrow(TextOf(child)));
    return TRUE;
}

// The window's size, every child's class, place, font and text, and what the row adds.
Look LookOf(HWND window, void (*add)(Look&)) {
    RECT frame{}, client{};
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &client);
    Look look{Line(L"window", {0, 0, frame.right - frame.left, frame.bottom - frame.top}),
              Line(L"client", client)};
    ::EnumChildWindows(window, &AddChild, reinterpret_cast<LPARAM>(&look));
    if (add) add(look);
    return look;
}

std::string IconWidth(LRESULT icon) {
    ICONINFO info{};
    ::GetIconInfo(reinterpret_cast<HICON>(icon), &info);
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return " icon " + std::to_string(bitmap.bmWidth);
}

// The main window's pictures, icon, menu entries and night-train flag; the About picture;
// the message dialog's standard icon.
void AddMainWindow(Look& look) {
    const auto& form = static_cast<const TForm1&>(*TApplication::Instance()->MainForm());
    int w = 0, h = 0;
    ::ImageList_GetIconSize(form.ImageList1(), &w, &h);
    const SIZE glyph = form.BitBtn1Glyph().imageSize();
    look.push_back(Line(L"pictures", {glyph.cx, glyph.cy, w, h}) +
                   IconWidth(::SendMessageW(form.hwnd(), WM_GETICON, ICON_SMALL, 0)) + " night " +
                   std::to_string(form.NightTrain));
    const MenuBar& bar = form.ActionMainMenuBar1();
    for (int i = 0; i < static_cast<int>(bar.Menu().size()); ++i)
        look.push_back(Line(L"entry", bar.EntryRect(i)));
}
void AddAboutBox(Look& look) { look.push_back("picture " + std::to_string(AboutBox()->PictureSize())); }
void AddMessageDialog(Look& look) {
    const HWND image = ::FindWindowExW(::GetActiveWindow(), nullptr, L"Static", nullptr);
    look.push_back(IconWidth(::SendMessageW(image, STM_GETICON, 0, 0)));
}

// Each opener shows its window at the density set now, as a user left it, and hands it to
// `visit` while it is up.
using Visit = std::function<void(HWND)>;
void OpenMainWindow(const Visit& visit) {
    MainWindowFixture f;
    f.SetTimeFields({L"23", L"30", L"00", L"0", L"15", L"00"});
    ::SetWindowTextW(f.Control("LabeledEdit7"), L"1");
    ::SetWindowTextW(f.Control("Memo1"), L"出発 23:30:00\r\n到着 0:15:00");
    f.form->FocusControl(f.Control("LabeledEdit2"));
    ::SendMessageW(f.Control("LabeledEdit2"), EM_SETSEL, 1, 2);
    visit(f.form->hwnd());
}
void OpenAboutBox(const Visit& visit) {
    MainWindowFixture f;
    visit(f.app->CreateForm<TAboutBox>().hwnd());
}
// Modal: visited from its own loop.
void OpenMessageDialog(const Visit& visit) {
    MainWindowFixture f;
    HWND seen = nullptr;
    ActivationWatch watch([&](HWND h) {
        if (seen || ClassOf(h) != L"TMessageForm") return;
        RunSoon([&visit, h = seen = h] {
            visit(h);
            ::PostMessageW(h, WM_CLOSE, 0, 0);
        });
    });
    ShowMessageDialog("開始時刻が終了時刻より後です。\r\n夜行列車ですか？", TMsgDlgType::mtWarning,
                      {mbYes, mbNo}, 0);
    EXPECT_NE(seen, nullptr);
}

// As the system does it: asks for the size, then tells the density and a rectangle of it.
RECT ChangeDensity(HWND window, int pixelsPerInch) {
    SetDisplayMetricsOverride({pixelsPerInch, 0});
    RECT r{};
    ::GetWindowRect(window, &r);
    SIZE size{r.right - r.left, r.bottom - r.top};
    EXPECT_TRUE(::SendMessageW(window, kGetDpiScaledSize, static_cast<WPARAM>(pixelsPerInch),
                               reinterpret_cast<LPARAM>(&size)));
    ::OffsetRect(&r, 10, 20);
    r = {r.left, r.top, r.left + size.cx, r.top + size.cy};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(pixelsPerInch, pixelsPerInch),
                   reinterpret_cast<LPARAM>(&r));
    return r;
}

struct Row {
    const char* window;
    void (*open)(const Visit&);
    void (*add)(Look&);
};

class DensityChange : public ::testing::TestWithParam<Row> {
protected:
    void TearDown() override { SetDisplayMetricsOverride({}); }
    Look BuiltAt(int pixelsPerInch) const {
        SetDisplayMetricsOverride({pixelsPerInch, 0});
        Look look;
        GetParam().open([&](HWND window) { look = LookOf(window, GetParam().add); });
        return look;
    }
};

TEST_P(DensityChange, LooksAsBuiltAtTheNewDensityAndKeepsWhatTheUserHas) {
    const Look at96 = BuiltAt(96), at144 = BuiltAt(144);
    ASSERT_NE(at96, at144);
    SetDisplayMetricsOverride({96, 0});
    GetParam().open([&](HWND window) {
        const HWND focus = ::GetFocus();
        const auto before = Selection(focus);
        for (const int pixelsPerInch : {144, 96}) {
            SCOPED_TRACE(pixelsPerInch);
            const RECT suggested = ChangeDensity(window, pixelsPerInch);
            EXPECT_EQ(LookOf(window, GetParam().add), pixelsPerInch == 144 ? at144 : at96);
            RECT now{};
            ::GetWindowRect(window, &now);
            EXPECT_TRUE(::EqualRect(&now, &suggested));
            EXPECT_EQ(::GetFocus(), focus);
            EXPECT_EQ(Selection(focus), before);
        }
    });
}

// Made at the screen's density on a monitor of another: laid out for the monitor at once.
TEST_P(DensityChange, OpensAtTheDensityOfItsMonitor) {
    const Look at144 = BuiltAt(144);
    SetDisplayMetricsOverride({96, 0, 144});
    GetParam().open([&](HWND window) { EXPECT_EQ(LookOf(window, GetParam().add), at144); });
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, DensityChange,
                         ::testing::Values(Row{"MainWindow", &OpenMainWindow, &AddMainWindow},
                                           Row{"AboutBox", &OpenAboutBox, &AddAboutBox},
                                           Row{"MessageDialog", &OpenMessageDialog, &AddMessageDialog}),
                         [](const auto& info) { return std::string(info.param.window); });

// Built hidden at first idle, it is shown after the main window has moved to a monitor of
// another density.
TEST(DensityOfTheFirstShowing, TheAboutBoxOpensAtTheDensityOfTheMonitorItOpensOn) {
    SetDisplayMetricsOverride({144, 0});
    Look at144;
    OpenAboutBox([&](HWND box) { at144 = LookOf(box, &AddAboutBox); });
    SetDisplayMetricsOverride({96, 0});
    MainWindowFixture f;
    TAboutBox& box = f.app->CreateForm<TAboutBox>();
    SetDisplayMetricsOverride({96, 0, 144});
    box.Show();
    EXPECT_EQ(LookOf(box.hwnd(), &AddAboutBox), at144);
    SetDisplayMetricsOverride({});
}

// The first item's height in the next drop-down; `during` runs in its loop instead.
int FirstItemHeight(MainWindowFixture& f, const std::function<void()>& during = {}) {
    SoundLog sounds;
    int height = 0;
    sounds.OnDropDown([&] {
        const MenuBar& bar = f.form->ActionMainMenuBar1();
        RECT item{};
        if (::GetMenuItemRect(bar.hwnd(), bar.DropDown(0), 0, &item)) height = item.bottom - item.top;
        if (during) return during();
        PostKey(VK_ESCAPE);
    });
    PressAlt(*f.app, L'p');
    Pump(*f.app);
    return height;
}

// The platform measures an owner-drawn item once per menu: the drop-downs are made again.
TEST(DensityChangeOfTheMenu, AnOpenDropDownClosesAndOpensAgainAtTheNewSize) {
    SetDisplayMetricsOverride({144, 0});
    const int at144 = [] {
        MainWindowFixture built;
        return FirstItemHeight(built);
    }();
    SetDisplayMetricsOverride({96, 0});
    MainWindowFixture f;
    int openAfterChange = -2;
    FirstItemHeight(f, [&] {
        ChangeDensity(f.form->hwnd(), 144);
        // Runs in the drop-down's loop only if that loop goes on.
        RunSoon([&] {
            openAfterChange = OpenDropDownWindow() ? f.form->ActionMainMenuBar1().OpenIndex() : -1;
            if (openAfterChange >= 0) PostKey(VK_ESCAPE);
        });
    });
    EXPECT_EQ(openAfterChange, -1);
    EXPECT_EQ(FirstItemHeight(f), at144);
    SetDisplayMetricsOverride({});
}

}  // namespace
}  // namespace quillfen::testing
