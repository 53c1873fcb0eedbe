// The menu bar and its four commands: the command and layout tables, the colours and
// sizes it draws with, mouse and keyboard use, the sounds and each command's effect.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"
#include "logic/ClockTime.h"
#include "resources/ResourceIds.h"
#include "ui/controls/MenuDrawing.h"
#include "ui/win32/ImageList.h"
#include "ui/win32/Resources.h"

namespace quillfen::testing {
namespace {

struct MenuBarFixture : MainWindowFixture {
    MenuBar& bar() const { return form->ActionMainMenuBar1(); }
    HMENU DropDown(int index) const { return bar().DropDown(index); }
    SoundLog sounds;
};

TEST(Commands, TheFourCommandsWithCaptionCategoryPictureAndHint) {
    MainWindowFixture f;
    struct Expected {
        const char* name;
        ActionKind kind;
        const char* category;
        const char* caption;
        int image;
        const char* hint;
        bool handler;
    } expected[] = {
        {"EditCopy", ActionKind::Plain, "猫の手(&P)", "結果をクリップボードにコピー(&C)", 0, "",
         true},
        {"MInimize", ActionKind::Plain, "猫の手(&P)", "最小化(&M)", kNoImage, "", true},
        {"FileExit1", ActionKind::FileExit, "猫の手(&P)", "終了(&X)", 1,
         "終了|アプリケーションを終了する", false},
        {"HelpAbout", ActionKind::Plain, "ヘルプ(&H)", "バージョン情報(&A)", 2, "", true},
    };
    const auto& actions = f.form->ActionManager1().Actions();
    ASSERT_EQ(actions.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const TAction& a = *actions[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(a.name, e.name);
        EXPECT_EQ(a.kind, e.kind);
        EXPECT_EQ(a.category, e.category);
        EXPECT_EQ(a.caption, e.caption);
        EXPECT_EQ(a.imageIndex, e.image);
        EXPECT_EQ(a.hint, e.hint);
        EXPECT_TRUE(a.enabled && a.visible);
        EXPECT_EQ(static_cast<bool>(a.onExecute), e.handler);
    }
    EXPECT_EQ(::ImageList_GetImageCount(f.form->ImageList1()), 3);
}

TEST(CommandImages, ReadFromTheStoredStreamAndBadDataRefused) {
    const std::string_view stored = ResourceBytes(resource::kImageList1);
    const ImageListHandle images = ReadImageList(stored);
    EXPECT_EQ(::ImageList_GetImageCount(images.get()), 3);
    int w = 0, h = 0;
    ::ImageList_GetIconSize(images.get(), &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);

    const std::string wrongMagic = "XX" + std::string(stored.substr(2));
    // (A stream cut short inside its bitmaps is not always refused by the platform's
    // reader under Wine, so it is not among these.)
    for (const std::string_view bad :
         {std::string_view(), std::string_view("IL"), std::string_view(wrongMagic)}) {
        EXPECT_FALSE(ReadImageList(bad)) << "accepted " << bad.size() << " bytes";
    }
}

TEST(MenuLayout, TwoEntriesWithTheirDropDownsInOrder) {
    MenuBarFixture f;
    struct Line {
        int top;
        const wchar_t* caption;  // "-" for the separator
        const char* action;
        int image;
    } lines[] = {
        {0, L"結果をクリップボードにコピー(&C)", "EditCopy", 0},
        {0, L"最小化(&M)", "MInimize", kNoImage},
        {0, L"-", nullptr, kNoImage},
        {0, L"終了(&X)", "FileExit1", 1},
        {1, L"バージョン情報(&A)", "HelpAbout", 2},
    };
    const std::vector<MenuTop>& menu = f.bar().Menu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].caption, L"猫の手(&P)");
    EXPECT_EQ(menu[1].caption, L"ヘルプ(&H)");
    EXPECT_EQ(menu[0].mnemonic, L'P');
    EXPECT_EQ(menu[1].mnemonic, L'H');
    size_t position[2] = {0, 0};
    for (const Line& line : lines) {
        SCOPED_TRACE(::testing::PrintToString(line.caption));
        const size_t at = position[line.top]++;
        ASSERT_LT(at, menu[line.top].items.size());
        const MenuEntry& entry = menu[line.top].items[at];
        const bool separator = std::wstring(line.caption) == L"-";
        EXPECT_EQ(entry.separator, separator);
        if (!separator) {
            EXPECT_EQ(entry.caption, line.caption);
            ASSERT_NE(entry.action, nullptr);
            EXPECT_EQ(entry.action->name, line.action);
        }
        EXPECT_EQ(entry.imageIndex, line.image);
        const UINT state =
            ::GetMenuState(f.DropDown(line.top), static_cast<UINT>(at), MF_BYPOSITION);
        EXPECT_TRUE(state & MF_OWNERDRAW);
        EXPECT_EQ((state & MF_SEPARATOR) != 0, separator);
        EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
    }
    EXPECT_EQ(::GetMenuItemCount(f.DropDown(0)), 4);
    EXPECT_EQ(::GetMenuItemCount(f.DropDown(1)), 1);
}

TEST(MenuText, LongHintAndMnemonicLetter) {
    struct HintCase {
        const char* hint;
        const char* longPart;
    } hints[] = {
        {"終了|アプリケーションを終了する", "アプリケーションを終了する"},
        {"", ""},
        {"only", "only"},
        {"a|b|c", "b|c"},
        {"|long", "long"},
    };
    for (const HintCase& c : hints) EXPECT_EQ(LongHint(c.hint), c.longPart) << c.hint;

    struct MnemonicCase {
        const wchar_t* caption;
        wchar_t letter;
    } mnemonics[] = {
        {L"終了(&X)", L'X'}, {L"猫の手(&p)", L'P'}, {L"&&A&b", L'B'},
        {L"no mnemonic", 0}, {L"trailing&", 0},     {L"(&1)", L'1'},
    };
    for (const MnemonicCase& c : mnemonics) {
        EXPECT_EQ(MnemonicLetter(c.caption), c.letter) << ::testing::PrintToString(c.caption);
    }
}

TEST(MenuPalette, ButtonFaceLightenedByFifteenLuminanceSteps) {
    const Hls face = RgbToHls(RGB(236, 233, 216));
    EXPECT_EQ(face.hue, 34);
    EXPECT_EQ(face.luminance, 213);
    EXPECT_EQ(face.saturation, 83);
    struct Case {
        COLORREF face;
        COLORREF expected;
    } cases[] = {
        {RGB(236, 233, 216), RGB(247, 246, 238)},  // the desktop's classic beige face
        {RGB(192, 192, 192), RGB(209, 209, 209)},  // grey: luminance only
        {RGB(255, 255, 255), RGB(255, 255, 255)},  // already at the top of the scale
        {RGB(255, 0, 0), RGB(224, 0, 0)},          // saturation 240 > 220: darker instead
        {RGB(0, 0, 255), RGB(0, 0, 224)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.face);
        EXPECT_EQ(HighlightOf(c.face), c.expected);
    }
}

TEST(MenuPalette, FollowsTheSystemColours) {
    const SystemColours system{RGB(236, 233, 216), RGB(255, 255, 250), RGB(1, 2, 3),
                               RGB(100, 100, 100), RGB(254, 254, 254), RGB(10, 10, 10)};
    const MenuPalette p = MakeMenuPalette(system);
    struct Entry {
        const char* name;
        COLORREF actual, expected;
    } entries[] = {
        {"Color", p.color, RGB(236, 233, 216)},
        {"MenuColor", p.menuColor, RGB(255, 255, 250)},
        {"FontColor", p.fontColor, RGB(1, 2, 3)},
        {"SelectedColor", p.selectedColor, RGB(198, 211, 239)},
        {"SelectedFontColor", p.selectedFontColor, RGB(0, 0, 0)},
        {"BtnFrameColor", p.btnFrameColor, RGB(49, 105, 198)},
        {"BtnSelectedColor", p.btnSelectedColor, RGB(236, 233, 216)},
        {"HighlightColor", p.highlightColor, RGB(247, 246, 238)},
        {"UnusedColor", p.unusedColor, RGB(247, 246, 238)},
        {"DisabledFontColor", p.disabledFontColor, RGB(100, 100, 100)},
        {"DisabledFontShadow", p.disabledFontShadow, RGB(254, 254, 254)},
        {"DisabledColor", p.disabledColor, RGB(128, 128, 128)},
        {"ShadowColor", p.shadowColor, RGB(10, 10, 10)},
        {"frame inner", p.frameInner, RGB(255, 255, 255)},
        {"frame outer", p.frameOuter, RGB(138, 134, 122)},
    };
    for (const Entry& e : entries) EXPECT_EQ(e.actual, e.expected) << e.name;
}

TEST(MenuPalette, TheBarTakesTheColoursOfThisDesktop) {
    MenuBarFixture f;
    const MenuPalette& p = f.bar().Palette();
    EXPECT_EQ(p.color, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(p.menuColor, ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(p.fontColor, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(p.highlightColor, HighlightOf(::GetSysColor(COLOR_BTNFACE)));
}

TEST(MenuSizes, ItemHeightsFollowTheMenuBarHeightAndThePicture) {
    struct Case {
        bool separator;
        int picture;
        int menuBar;
        int height;
    } cases[] = {
        {false, 16, 19, 21}, {false, 16, 24, 26}, {false, 0, 19, 21},
        {false, 17, 19, 23}, {false, 32, 19, 38}, {true, 16, 19, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DropDownItemHeight(c.separator, c.picture, c.menuBar), c.height)
            << c.separator << " " << c.picture << " " << c.menuBar;
    }
}

// --- Drawing ---

TEST(MenuDrawing, TopEntriesAtRestHighlightedAndOpen) {
    MenuBarFixture f;
    const MenuPalette& p = f.bar().Palette();
    const RECT first = f.bar().EntryRect(0);
    const RECT second = f.bar().EntryRect(1);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(first.bottom - first.top,
              RectInParent(f.bar().hwnd()).bottom - RectInParent(f.bar().hwnd()).top);
    auto frame = [&](const Capture& c, const RECT& r) { return c.Pixel(r.left, r.top + 4); };
    auto inside = [&](const Capture& c, const RECT& r) { return c.Pixel(r.left + 2, r.top + 2); };
    auto bottom = [&](const Capture& c, const RECT& r) {
        return c.Pixel(r.left + 3, r.bottom - 1);
    };

    const Capture rest = Capture::OfClient(f.bar().hwnd());
    EXPECT_EQ(frame(rest, first), p.color);
    EXPECT_EQ(inside(rest, first), p.color);
    EXPECT_EQ(rest.Pixel(second.right + 4, 4), p.color) << "the bar beyond its entries";

    // Under the mouse.
    ::SendMessageW(f.bar().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 3, 5));
    const Capture hot = Capture::OfClient(f.bar().hwnd());
    EXPECT_EQ(frame(hot, second), p.btnFrameColor);
    EXPECT_EQ(bottom(hot, second), p.btnFrameColor);
    EXPECT_EQ(inside(hot, second), p.selectedColor);
    EXPECT_EQ(inside(hot, first), p.color);
    ::SendMessageW(f.bar().hwnd(), WM_MOUSELEAVE, 0, 0);

    // Open: the outer frame colour, joined to the drop-down along the bottom.
    COLORREF openFrame = 0, openInside = 0, openBottom = 0, otherInside = 0;
    f.sounds.OnDropDown([&] {
        const Capture open = Capture::OfClient(f.bar().hwnd());
        openFrame = frame(open, first);
        openInside = inside(open, first);
        openBottom = bottom(open, first);
        otherInside = inside(open, second);
        PostKey(VK_ESCAPE);
    });
    PressAlt(*f.app, L'p');
    EXPECT_EQ(openFrame, p.frameOuter);
    EXPECT_EQ(openInside, p.btnSelectedColor);
    EXPECT_EQ(openBottom, p.btnSelectedColor);
    EXPECT_EQ(otherInside, p.color);
}

TEST(MenuDrawing, MenuModeHighlightsTheEntryWithTheSelectedFill) {
    MenuBarFixture f;
    const MenuPalette& p = f.bar().Palette();
    f.bar().EnterMenuMode();
    const RECT first = f.bar().EntryRect(0);
    const Capture c = Capture::OfClient(f.bar().hwnd());
    EXPECT_EQ(c.Pixel(first.left + 2, first.top + 2), p.selectedColor);
    EXPECT_EQ(c.Pixel(first.right - 1, first.top + 4), p.btnFrameColor);
    f.bar().LeaveMenuMode();
}

struct ItemPicture {
    Capture capture{200, 30};
    RECT rect;
    ItemPicture(const MenuBar& bar, const MenuEntry& entry, bool highlighted, int height)
        : rect{0, 0, 200, height} {
        const MenuLook look{bar.Palette(),
                            reinterpret_cast<HFONT>(::SendMessageW(bar.hwnd(), WM_GETFONT, 0, 0)),
                            ImageListOf(bar)};
        FillSolid(capture.dc(), {0, 0, 200, 30}, RGB(1, 2, 3));
        DrawDropDownItem(capture.dc(), rect, entry, highlighted, look);
    }
    static HIMAGELIST ImageListOf(const MenuBar&);
    // Pixels of a region that differ from a colour.
    int Differing(RECT r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) n += capture.Pixel(x, y) != colour;
        }
        return n;
    }
};
HIMAGELIST g_images = nullptr;
HIMAGELIST ItemPicture::ImageListOf(const MenuBar&) { return g_images; }

TEST(MenuDrawing, DropDownItemsHaveThePictureColumnInTheBarColour) {
    MenuBarFixture f;
    g_images = f.form->ImageList1();
    const MenuPalette& p = f.bar().Palette();
    const std::vector<MenuEntry>& items = f.bar().Menu()[0].items;
    const int height = DropDownItemHeight(false, 16, ::GetSystemMetrics(SM_CYMENU));
    const RECT column{0, 0, kPictureColumnWidth, height};
    const RECT caption{kPictureColumnWidth, 0, 200, height};

    const ItemPicture copy(f.bar(), items[0], false, height);
    EXPECT_EQ(copy.capture.Pixel(1, 1), p.color);
    EXPECT_EQ(copy.capture.Pixel(kPictureColumnWidth - 1, height - 1), p.color);
    EXPECT_EQ(copy.capture.Pixel(kPictureColumnWidth, 1), p.menuColor);
    EXPECT_EQ(copy.capture.Pixel(199, height - 1), p.menuColor);
    EXPECT_GT(copy.Differing(column, p.color), 50) << "the copy picture";
    EXPECT_GT(copy.Differing(caption, p.menuColor), 50) << "the caption";
    EXPECT_EQ(copy.capture.Pixel(1, height), RGB(1, 2, 3)) << "nothing drawn below the item";

    const ItemPicture minimize(f.bar(), items[1], false, height);
    EXPECT_EQ(minimize.Differing(column, p.color), 0) << "no picture: the column stays empty";

    const ItemPicture highlighted(f.bar(), items[3], true, height);
    EXPECT_EQ(highlighted.capture.Pixel(0, 0), p.btnFrameColor);
    EXPECT_EQ(highlighted.capture.Pixel(199, height - 1), p.btnFrameColor);
    EXPECT_EQ(highlighted.capture.Pixel(1, 1), p.selectedColor);
    EXPECT_EQ(highlighted.capture.Pixel(198, height - 2), p.selectedColor);

    const ItemPicture separator(f.bar(), items[2], false, kSeparatorHeight);
    EXPECT_EQ(separator.capture.Pixel(1, 1), p.color);
    EXPECT_EQ(separator.capture.Pixel(kPictureColumnWidth + kCaptionGap + 5, 1), p.frameOuter);
    EXPECT_EQ(separator.capture.Pixel(kPictureColumnWidth + kCaptionGap + 5, 0), p.menuColor);
}

TEST(MenuDrawing, MnemonicLettersAreUnderlinedAtAllTimes) {
    MenuBarFixture f;
    g_images = nullptr;
    MenuEntry marked, plain;
    marked.caption = L"終了(&X)";
    plain.caption = L"終了(X)";
    const int height = DropDownItemHeight(false, 16, ::GetSystemMetrics(SM_CYMENU));
    const ItemPicture withMark(f.bar(), marked, false, height);
    const ItemPicture without(f.bar(), plain, false, height);
    const RECT caption{kPictureColumnWidth, 0, 200, height};
    const COLORREF back = f.bar().Palette().menuColor;
    EXPECT_GT(withMark.Differing(caption, back), without.Differing(caption, back));
}

TEST(MenuDrawing, TheOpenDropDownOnScreen) {
    MenuBarFixture f;
    const MenuPalette& p = f.bar().Palette();
    const HMENU menu = f.DropDown(0);
    RECT items[4] = {}, window{};
    COLORREF highlightedFill = 0, highlightedFrame = 0, column = 0, background = 0;
    COLORREF joined = 0, edgeTop = 0, edgeLeft = 0, columnInFrame = 0;
    const RECT entryRect = f.bar().EntryRect(0);
    f.sounds.OnDropDown([&] {
        const HWND popup = OpenDropDownWindow();
        ::UpdateWindow(popup);
        ::GetWindowRect(popup, &window);
        // Only the sizes: the platform's item positions are off by the frame here.
        for (UINT i = 0; i < 4; ++i) ::GetMenuItemRect(f.bar().hwnd(), menu, i, &items[i]);
        const int frame = ((window.right - window.left) - (items[0].right - items[0].left)) / 2;
        const POINT first{frame, frame};
        const int second = first.y + (items[0].bottom - items[0].top);
        WindowDc dc(popup);
        highlightedFill = ::GetPixel(dc.get(), first.x + 2, first.y + 2);
        highlightedFrame = ::GetPixel(dc.get(), first.x, first.y + 4);
        column = ::GetPixel(dc.get(), first.x + 2, second + 2);
        background = ::GetPixel(dc.get(), window.right - window.left - frame - 3, second + 2);
        // The frame: open where the drop-down meets its entry, the picture column
        // running through it.
        joined = ::GetPixel(dc.get(), (entryRect.right - entryRect.left) / 2, 0);
        edgeTop = ::GetPixel(dc.get(), entryRect.right - entryRect.left + 5, 0);
        edgeLeft = ::GetPixel(dc.get(), 0, second);
        columnInFrame = ::GetPixel(dc.get(), 1, 1);
        PostKey(VK_ESCAPE);
    });
    PressAlt(*f.app, L'p');
    const int itemHeight = ::GetSystemMetrics(SM_CYMENU) + 2;
    EXPECT_EQ(items[0].bottom - items[0].top, itemHeight);
    EXPECT_EQ(items[1].bottom - items[1].top, itemHeight);
    EXPECT_EQ(items[2].bottom - items[2].top, kSeparatorHeight);
    EXPECT_EQ(items[3].bottom - items[3].top, itemHeight);
    RECT entry = f.bar().EntryRect(0);
    ::MapWindowPoints(f.bar().hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&entry), 2);
    EXPECT_EQ(window.top, entry.bottom) << "the drop-down opens right below its entry";
    EXPECT_EQ(window.left, entry.left);
    EXPECT_EQ(highlightedFill, p.selectedColor);
    EXPECT_EQ(highlightedFrame, p.btnFrameColor);
    EXPECT_EQ(column, p.color);
    EXPECT_EQ(background, p.menuColor);
    EXPECT_EQ(joined, p.btnSelectedColor);
    EXPECT_EQ(edgeTop, p.frameOuter);
    EXPECT_EQ(edgeLeft, p.frameOuter);
    EXPECT_EQ(columnInFrame, p.color);
    std::printf("menu-bar height %d, item height %d, drop-down %ld x %ld, button face %06lx\n",
                ::GetSystemMetrics(SM_CYMENU), itemHeight, window.right - window.left,
                window.bottom - window.top, static_cast<unsigned long>(p.color));
}

}  // namespace
}  // namespace quillfen::testing
