// The menu bar for users who do not read it off the screen as drawn: the colours of a
// high-contrast scheme, the names of the owner-drawn items, and the bar as a screen
// reader walks it and hears its events.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"

namespace quillfen::testing {
namespace {

TEST(MenuPalette, HighContrastTakesTheSchemesColoursAndTheOrdinaryLookStaysAsItWas) {
    const SystemColours s{RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0), RGB(5, 0, 0),
                          RGB(6, 0, 0), RGB(7, 0, 0), RGB(8, 0, 0), RGB(9, 0, 0), RGB(10, 0, 0)};
    const MenuPalette normal = MakeMenuPalette(s, false), high = MakeMenuPalette(s, true);
    struct Row {
        const char* name;
        COLORREF MenuPalette::*colour;
        COLORREF normal, high;
    } rows[] = {
        {"bar and picture column", &MenuPalette::color, s.buttonFace, s.menu},
        {"drop-down", &MenuPalette::menuColor, s.window, s.menu},
        {"text", &MenuPalette::fontColor, s.windowText, s.menuText},
        {"highlighted fill", &MenuPalette::selectedColor, RGB(198, 211, 239), s.highlight},
        {"highlighted text", &MenuPalette::selectedFontColor, RGB(0, 0, 0), s.highlightText},
        {"highlight frame", &MenuPalette::btnFrameColor, RGB(49, 105, 198), s.windowText},
        {"open entry", &MenuPalette::btnSelectedColor, s.buttonFace, s.menu},
        {"outer frame and separator", &MenuPalette::frameOuter, RGB(138, 134, 122), s.windowText},
        {"disabled text", &MenuPalette::disabledFontColor, s.grayText, s.grayText},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(normal.*r.colour, r.normal) << r.name;
        EXPECT_EQ(high.*r.colour, r.high) << r.name << " in high contrast";
    }
}

// System colours changed for one test, put back afterwards.
class SchemeColours {
public:
    explicit SchemeColours(std::vector<std::pair<int, COLORREF>> colours) {
        for (const auto& [index, colour] : colours) {
            indices_.push_back(index);
            saved_.push_back(::GetSysColor(index));
            wanted_.push_back(colour);
        }
        ::SetSysColors(static_cast<int>(indices_.size()), indices_.data(), wanted_.data());
    }
    ~SchemeColours() {
        ::SetSysColors(static_cast<int>(indices_.size()), indices_.data(), saved_.data());
    }

private:
    std::vector<int> indices_;
    std::vector<COLORREF> saved_, wanted_;
};

COLORREF DropDownBackground(HMENU menu) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    LOGBRUSH brush{};
    ::GetMenuInfo(menu, &info);
    ::GetObjectW(info.hbrBack, sizeof brush, &brush);
    return brush.lbColor;
}

TEST(MenuHighContrast, TheBarRedrawsInChangedSystemColours) {
    MainWindowFixture f;
    MenuBar& bar = f.form->ActionMainMenuBar1();
    const SchemeColours scheme({{COLOR_BTNFACE, RGB(10, 20, 30)},
                                {COLOR_MENU, RGB(0, 0, 1)},
                                {COLOR_WINDOWTEXT, RGB(250, 250, 250)},
                                {COLOR_HIGHLIGHT, RGB(26, 235, 255)}});
    ::SendMessageW(f.form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    const RECT first = bar.EntryRect(0), second = bar.EntryRect(1);
    auto fill = [&](const RECT& r) {
        return Capture::OfClient(bar.hwnd()).Pixel(r.left + 2, r.top + 2);
    };
    EXPECT_EQ(fill(first), RGB(10, 20, 30)) << "the bar follows the button face";
    bar.EnterMenuMode();
    EXPECT_EQ(fill(first), RGB(198, 211, 239)) << "high contrast off: the usual highlight";

    // The platform here cannot switch high contrast on; the bar is told it is on.
    bar.SetPaletteSource([] { return MakeMenuPalette(CurrentSystemColours(), true); });
    const Capture c = Capture::OfClient(bar.hwnd());
    EXPECT_EQ(c.Pixel(first.left + 2, first.top + 2), RGB(26, 235, 255));
    EXPECT_EQ(c.Pixel(first.left, first.top + 4), RGB(250, 250, 250)) << "the frame";
    EXPECT_EQ(c.Pixel(second.left + 2, second.top + 2), RGB(0, 0, 1));
    EXPECT_EQ(DropDownBackground(bar.DropDown(0)), RGB(0, 0, 1));
    bar.LeaveMenuMode();
}

TEST(MenuItemNames, EachItemsDataBeginsWithItsCaptionForScreenReaders) {
    MainWindowFixture f;
    const struct {
        int top;
        UINT position;
        const wchar_t* text;  // null for the separator
    } items[] = {{0, 0, L"結果をクリップボードにコピー(&C)"},
                 {0, 1, L"最小化(&M)"},
                 {0, 2, nullptr},
                 {0, 3, L"終了(&X)"},
                 {1, 0, L"バージョン情報(&A)"}};
    for (const auto& item : items) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        ASSERT_TRUE(::GetMenuItemInfoW(f.form->ActionMainMenuBar1().DropDown(item.top),
                                       item.position, TRUE, &info));
        const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
        ASSERT_NE(msaa, nullptr);
        EXPECT_EQ(msaa->dwMSAASignature, DWORD(MSAA_MENU_SIG));
        if (!item.text) {
            EXPECT_EQ(msaa->pszWText, nullptr);
            EXPECT_EQ(msaa->cchWText, 0u);
            continue;
        }
        ASSERT_NE(msaa->pszWText, nullptr);
        EXPECT_EQ(std::wstring(msaa->pszWText, msaa->cchWText), item.text);
        EXPECT_EQ(msaa->pszWText[msaa->cchWText], L'\0');
    }
}

}  // namespace
}  // namespace quillfen::testing
