// Pictures at the screen density: the factor, the scaler's treatment of transparency,
// and the sizes the button, menu, icon and About pictures come out at on screen.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "MenuTestSupport.h"
#include "ui/forms/About.h"
#include "ui/controls/MenuDrawing.h"
#include "ui/win32/PictureScale.h"

namespace quillfen::testing {
namespace {

constexpr COLORREF kOlive = RGB(0x80, 0x80, 0);

TEST(PictureScale, WholeSizeUpTo143PpiThenHalfSteps) {
    const struct {
        int ppi, numerator, denominator;
    } cases[] = {{96, 12, 12}, {120, 12, 12}, {143, 12, 12}, {144, 3, 2},
                 {191, 3, 2},  {192, 4, 2},   {240, 5, 2},   {288, 6, 2}};
    for (const auto& c : cases) {
        const LayoutScale s = PictureScaleForDensity(c.ppi);
        EXPECT_EQ(s.numerator * c.denominator, c.numerator * s.denominator) << c.ppi;
    }
}

// Red and transparent olive in a checker: whole factors repeat pixels, 1.5 averages,
// and no target pixel takes any of the transparent colour.
TEST(PictureScale, TransparentPixelsNeverBleedIntoOpaqueOnes) {
    MaskedPicture checker{4, 4, {}, {}};
    for (int i = 0; i < 16; ++i) {
        const bool red = ((i % 4) + (i / 4)) % 2 == 0;
        checker.pixels.push_back(red ? 0xFF0000 : 0x808000);
        checker.opaque.push_back(red);
    }
    for (const LayoutScale k : {LayoutScale{3, 2}, LayoutScale{2, 1}, LayoutScale{3, 1}}) {
        const MaskedPicture out = ScalePicture(checker, k);
        ASSERT_EQ(out.width, 4 * k.numerator / k.denominator);
        int opaque = 0;
        for (size_t i = 0; i < out.pixels.size(); ++i) {
            if (!out.opaque[i]) continue;
            ++opaque;
            EXPECT_EQ(out.pixels[i], 0xFF0000u) << i;
        }
        // A whole factor k makes each of the 8 opaque pixels k × k; 1.5 keeps at least half.
        if (k.denominator == 1)
            EXPECT_EQ(opaque, 8 * k.numerator * k.numerator);
        else
            EXPECT_GE(opaque, out.width * out.height / 2);
    }
}

// Extent of the pixels that differ from `background` in a region: columns of the first
// run from the left, and the rows those columns use.
SIZE DrawnExtent(const std::function<COLORREF(int, int)>& pixel, RECT r, COLORREF background) {
    int first = -1, last = -1, top = r.bottom, bottom = r.top - 1;
    for (int x = r.left; x < r.right; ++x) {
        bool used = false;
        for (int y = r.top; y < r.bottom; ++y) {
            if (pixel(x, y) == background) continue;
            used = true;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        if (used && first < 0) first = x;
        if (used) last = x;
        if (!used && first >= 0) break;
    }
    return {first < 0 ? 0 : last - first + 1, bottom - top + 1};
}

SIZE BigIconSize(HWND window) {
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    ::GetObjectW(info.hbmMask, sizeof bm, &bm);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

struct DensityCase {
    int ppi;
    int small, large;  // button and menu pictures; icons and the About picture
    int clock;         // the clock's width: its art leaves the 16th column empty
};

class PicturesOnScreen : public ::testing::TestWithParam<DensityCase> {
protected:
    void SetUp() override { SetDisplayMetricsOverride({GetParam().ppi, 0}); }
    void TearDown() override { SetDisplayMetricsOverride({}); }
};

TEST_P(PicturesOnScreen, ComeOutAtTheFactorOfTheDensity) {
    const DensityCase& c = GetParam();
    MainWindowFixture f;

    const HWND button = f.Control("BitBtn1");
    const Capture face = Capture::OfClient(button);
    RECT inner{};
    ::GetClientRect(button, &inner);
    ::InflateRect(&inner, -4, -4);
    auto buttonPixel = [&](int x, int y) { return face.Pixel(x, y); };
    EXPECT_EQ(DrawnExtent(buttonPixel, inner, face.Pixel(inner.left, inner.top)).cx, c.clock);
    int olive = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
        for (int x = inner.left; x < inner.right; ++x) olive += face.Pixel(x, y) == kOlive;
    EXPECT_EQ(olive, 0) << "the transparent colour shows";

    // The exit command's door fills its whole picture.
    const MenuEntry& exit = f.form->ActionMainMenuBar1().Menu()[0].items[3];
    const MenuPalette& palette = f.form->ActionMainMenuBar1().Palette();
    Capture item{200, 40};
    const MenuLook look{palette, nullptr, f.form->ImageList1()};
    DrawDropDownItem(item.dc(), {0, 0, 200, 40}, exit, false, look);
    auto itemPixel = [&](int x, int y) { return item.Pixel(x, y); };
    const RECT column{0, 0, PictureColumnWidth(look.images), 40};
    const SIZE door = DrawnExtent(itemPixel, column, palette.color);
    EXPECT_EQ(door.cx, c.small);
    EXPECT_EQ(door.cy, c.small);

    EXPECT_EQ(BigIconSize(f.form->hwnd()).cx, c.large);
    EXPECT_EQ(BigIconSize(f.app->hwnd()).cy, c.large);

    TAboutBox& about = f.app->CreateForm<TAboutBox>();
    about.Show();
    Pump(*f.app);
    ::UpdateWindow(about.hwnd());
    const HWND picture = about.ControlHandle("ProgramIcon");
    RECT box{};
    ::GetClientRect(picture, &box);
    WindowDc dc(picture);
    auto aboutPixel = [&](int x, int y) { return ::GetPixel(dc.get(), x, y); };
    const SIZE drawn = DrawnExtent(aboutPixel, box, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(drawn.cx, c.large);
    EXPECT_EQ(drawn.cy, c.large);
    ::ShowWindow(about.hwnd(), SW_HIDE);
}

INSTANTIATE_TEST_SUITE_P(Densities, PicturesOnScreen,
                         ::testing::Values(DensityCase{96, 16, 32, 15},
                                           DensityCase{120, 16, 32, 15},
                                           DensityCase{144, 24, 48, 23},
                                           DensityCase{192, 32, 64, 30}));

}  // namespace
}  // namespace quillfen::testing
