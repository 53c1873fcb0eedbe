// The main window as built from its description: classes, geometry, texts, fonts,
// attached labels, scaling and centring.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "ui/forms/Form1Description.h"
#include "ui/win32/Layout.h"

namespace quillfen::testing {
namespace {

int FontHeightOf(HWND control) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf,
                 &lf);
    return lf.lfHeight;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf,
                 &lf);
    return lf;
}

SIZE TextSize(HWND control, const std::wstring& text) {
    WindowDc dc(control);
    ScopedSelect select(dc.get(),
                        reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_SINGLELINE);
    return {r.right - r.left, r.bottom - r.top};
}

void ExpectLayout(const MainWindowFixture& f) { ExpectBuiltAsDescribed(*f.form, Form1Description()); }

class MainWindowLayout : public ::testing::Test {
protected:
    void TearDown() override { SetDisplayMetricsOverride({}); }
};

TEST_F(MainWindowLayout, DesignPixelsWhenTheTextMeasuresTwelve) {
    SetDisplayMetricsOverride({96, 12});
    MainWindowFixture f;
    EXPECT_TRUE(f.form->Scale().identity());
    ExpectLayout(f);
    RECT client{};
    ::GetClientRect(f.form->hwnd(), &client);
    EXPECT_EQ(client.right, 221);
    EXPECT_EQ(client.bottom, 302);
}

TEST_F(MainWindowLayout, MeasuredTextHeightScalesEveryControl) {
    MainWindowFixture f;
    ExpectLayout(f);
    RECT client{};
    ::GetClientRect(f.form->hwnd(), &client);
    EXPECT_EQ(client.right, f.form->Scale()(221));
    EXPECT_EQ(client.bottom, f.form->Scale()(302));
}

TEST_F(MainWindowLayout, ForcedTextHeightOf15GrowsTheLayoutByFiveQuarters) {
    SetDisplayMetricsOverride({96, 15});
    MainWindowFixture f;
    EXPECT_EQ(RectInParent(f.Control("BitBtn1")).left, 90);
    EXPECT_EQ(RectInParent(f.Control("Memo1")).top, 300);
    EXPECT_EQ(FontHeightOf(f.Control("Memo1")), -20);
    EXPECT_EQ(FontHeightOf(f.Control("LabeledEdit1")), -12);
    ExpectLayout(f);
}

TEST_F(MainWindowLayout, HigherDensityEnlargesTheFormFontFirst) {
    SetDisplayMetricsOverride({120, 0});
    MainWindowFixture f;
    EXPECT_EQ(FontHeightOf(f.Control("LabeledEdit1")), -15);
    // The layout then follows the measured height of "0" in that larger font.
    EXPECT_GT(f.form->Scale().numerator, 12);
    ExpectLayout(f);
}

TEST_F(MainWindowLayout, FontsKeepTheirFacesAndCharacterSets) {
    MainWindowFixture f;
    const int scaledLarge = f.form->Scale()(-16);
    struct Case {
        const char* name;
        const wchar_t* face;
        BYTE charset;
        int height;
    } cases[] = {
        {"LabeledEdit1", L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12},
        {"BitBtn1", L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12},
        {"Label1", L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, scaledLarge},
        {"Memo1", L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, scaledLarge},
        {"ActionMainMenuBar1", L"MS UI Gothic", SHIFTJIS_CHARSET, f.form->Scale()(-12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LOGFONTW lf = FontOf(f.Control(c.name));
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfCharSet, c.charset);
        EXPECT_EQ(lf.lfHeight, c.height);
    }
}

TEST_F(MainWindowLayout, AutoSizedLabelsTakeTheSizeOfTheirText) {
    MainWindowFixture f;
    for (const char* name : {"Label1", "Label2"}) {
        SCOPED_TRACE(name);
        const HWND h = f.Control(name);
        const SIZE text = TextSize(h, TextOf(h));
        const RECT r = RectInParent(h);
        EXPECT_EQ(r.right - r.left, text.cx);
        EXPECT_EQ(r.bottom - r.top, text.cy);
    }
}

TEST(AttachedLabelRule, DesignSizesGiveTheStoredPositions) {
    struct Case {
        RECT field;
        SIZE label;
        LabelPosition position;
        POINT expected;
    } cases[] = {
        {{40, 32, 73, 52}, {12, 12}, LabelPosition::Above, {40, 17}},
        {{96, 32, 129, 52}, {12, 12}, LabelPosition::Above, {96, 17}},
        {{152, 32, 185, 52}, {12, 12}, LabelPosition::Above, {152, 17}},
        {{40, 104, 73, 124}, {12, 12}, LabelPosition::Above, {40, 89}},
        {{152, 104, 185, 124}, {12, 12}, LabelPosition::Above, {152, 89}},
        {{152, 136, 185, 156}, {95, 12}, LabelPosition::Left, {54, 140}},
        {{152, 136, 185, 156}, {95, 12}, LabelPosition::Below, {152, 159}},
        {{152, 136, 185, 156}, {95, 13}, LabelPosition::Right, {188, 139}},
    };
    for (const Case& c : cases) {
        const POINT at = AttachedLabelOrigin(c.field, c.label, c.position);
        EXPECT_EQ(at.x, c.expected.x);
        EXPECT_EQ(at.y, c.expected.y);
    }
}

TEST_F(MainWindowLayout, AttachedLabelsStandAboveOrLeftOfTheirFields) {
    MainWindowFixture f;
    const char* fields[] = {"LabeledEdit1", "LabeledEdit2", "LabeledEdit3", "LabeledEdit4",
                            "LabeledEdit5", "LabeledEdit6", "LabeledEdit7"};
    const wchar_t* texts[] = {L"時", L"分", L"秒", L"時", L"分", L"秒", L"夜行に乗る(0 or 1)"};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(fields[i]);
        const Control* c = f.form->FindControl(fields[i]);
        ASSERT_NE(c->label, nullptr);
        EXPECT_EQ(TextOf(c->label), texts[i]);
        EXPECT_EQ(::GetParent(c->label), ::GetParent(c->hwnd));
        const RECT label = RectInParent(c->label);
        const SIZE size{label.right - label.left, label.bottom - label.top};
        EXPECT_EQ(size.cx, TextSize(c->label, texts[i]).cx);
        const POINT expected = AttachedLabelOrigin(
            RectInParent(c->hwnd), size, i == 6 ? LabelPosition::Left : LabelPosition::Above);
        EXPECT_EQ(label.left, expected.x);
        EXPECT_EQ(label.top, expected.y);
        // The label comes right before its field in z-order, so it names the field.
        EXPECT_EQ(::GetWindow(c->label, GW_HWNDNEXT), c->hwnd);
    }
}

TEST(Scaling, PureRules) {
    EXPECT_EQ(FontHeightForDensity(-12, 96), -12);
    EXPECT_EQ(FontHeightForDensity(-12, 120), -15);
    EXPECT_EQ(FontHeightForDensity(-16, 144), -24);
    EXPECT_TRUE(ScaleForTextHeight(12).identity());
    const LayoutScale s13 = ScaleForTextHeight(13);
    EXPECT_EQ(s13(221), 239);  // 221 × 13 / 12 = 239.42
    EXPECT_EQ(s13(302), 327);  // 327.17
    EXPECT_EQ(s13(-16), -17);
    const LayoutScale s15 = ScaleForTextHeight(15);
    EXPECT_EQ(s15(33), 41);  // 41.25
    EXPECT_EQ(s15(75), 94);  // 93.75
    EXPECT_EQ(CentredOrigin(1280, 227), 526);
    EXPECT_EQ(CentredOrigin(1024, 331), 346);
    EXPECT_EQ(CentredOrigin(100, 101), 0);  // truncation toward zero
}

TEST_F(MainWindowLayout, FirstShowingCentresOnTheWholeDesktop) {
    MainWindowFixture f;
    RECT r{};
    ::GetWindowRect(f.form->hwnd(), &r);
    EXPECT_EQ(r.left, CentredOrigin(::GetSystemMetrics(SM_CXVIRTUALSCREEN), r.right - r.left));
    EXPECT_EQ(r.top, CentredOrigin(::GetSystemMetrics(SM_CYVIRTUALSCREEN), r.bottom - r.top));
}

TEST_F(MainWindowLayout, WindowIsFixedWithCloseBoxOnly) {
    MainWindowFixture f;
    const LONG style = ::GetWindowLongW(f.form->hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(ClassOf(f.form->hwnd()), L"TForm1");
    EXPECT_EQ(TextOf(f.form->hwnd()), L"Quillfen_2.03b");
    EXPECT_EQ(::GetWindow(f.form->hwnd(), GW_OWNER), f.app->hwnd());
    EXPECT_NE(::SendMessageW(f.form->hwnd(), WM_GETICON, ICON_BIG, 0), 0);
}

}  // namespace
}  // namespace quillfen::testing
