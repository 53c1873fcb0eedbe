// Every text of the windows has a glyph in the font it is drawn with, whatever the locale
// and the installed faces (the black-box runs repeat this in plain Wine prefixes under
// other locales): the main window with a result, the menu bar and its drop-downs, the
// About box and the wrong-order dialog.
#include <gtest/gtest.h>

#include <vector>

#include "GuiTestSupport.h"
#include "ui/forms/About.h"

namespace quillfen::testing {
namespace {

// The characters the font's own face has no glyph for; line breaks draw none.
std::wstring Missing(HFONT font, const std::wstring& text) {
    WindowDc dc(nullptr);
    ScopedSelect select(dc.get(), font ? font : ::GetStockObject(SYSTEM_FONT));
    std::vector<WORD> glyphs(text.size());
    EXPECT_NE(::GetGlyphIndicesW(dc.get(), text.c_str(), static_cast<int>(text.size()),
                                 glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
              GDI_ERROR);
    std::wstring missing;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= L' ' && glyphs[i] == 0xFFFF) missing += text[i];
    }
    return missing;
}

HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)); }

BOOL CALLBACK CollectChild(HWND child, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// Every control of the window that shows a text, in the font it draws with.
void ExpectControlsCovered(HWND window) {
    int texts = 0;
    for (HWND h : ChildrenOf(window)) {
        const std::wstring text = TextOf(h);
        if (text.empty()) continue;
        ++texts;
        EXPECT_EQ(Missing(FontOf(h), text), L"") << ClassOf(h) << " \"" << text << "\"";
    }
    EXPECT_GT(texts, 0);
}

TEST(GlyphCoverage, MainWindowWithANightTripResultAndTheAboutBox) {
    MainWindowFixture f;
    f.form->playClip = [] { return true; };
    f.SetTimeFields({L"23", L"30", L"00", L"0", L"15", L"00"});
    ::SetWindowTextW(f.Control("LabeledEdit7"), L"1");
    PressAlt(*f.app, L'c');
    ASSERT_NE(TextOf(f.Control("Memo1")).find(L"（翌日）"), std::wstring::npos);
    ExpectControlsCovered(f.form->hwnd());
    ExpectControlsCovered(f.app->CreateForm<TAboutBox>().hwnd());
}

TEST(GlyphCoverage, MenuBarAndItsDropDowns) {
    MainWindowFixture f;
    const MenuBar& bar = f.form->ActionMainMenuBar1();
    // The bar draws its entries and the drop-downs' items in its own font.
    const HFONT font = FontOf(bar.hwnd());
    ASSERT_NE(font, nullptr);
    for (const MenuTop& top : bar.Menu()) {
        EXPECT_EQ(Missing(font, top.caption.c_str()), L"") << top.caption.c_str();
        for (const MenuEntry& item : top.items) {
            EXPECT_EQ(Missing(font, item.caption.c_str()), L"") << item.caption.c_str();
        }
    }
}

TEST(GlyphCoverage, WrongOrderDialog) {
    MainWindowFixture f;
    f.SetTimeFields({L"10", L"00", L"00", L"9", L"00", L"00"});
    ::SetWindowTextW(f.Control("LabeledEdit7"), L"0");
    bool seen = false;
    ActivationWatch watch([&](HWND h) {
        if (ClassOf(h) != L"TMessageForm") return;
        seen = true;
        ExpectControlsCovered(h);
        for (HWND child : ChildrenOf(h)) {
            if (ClassOf(child) == L"Button") ::PostMessageW(child, BM_CLICK, 0, 0);
        }
    });
    PressAlt(*f.app, L'c');
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace quillfen::testing
