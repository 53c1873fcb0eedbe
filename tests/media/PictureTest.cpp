// The pictures: how much of each is transparent and where, which colours each shows, and
// the relations between files.
#include <string>
#include <vector>

#include "Pictures.h"

namespace media_test {
namespace {

using Colours = std::set<std::uint32_t>;

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kOlive = 0x808000;

bool Includes(const Colours& all, const Colours& some) {
    return std::includes(all.begin(), all.end(), some.begin(), some.end());
}

// Icons: how many pixels the mask hides, and that they all lie outside the outline (no
// holes inside), with black behind them so the colour half adds nothing there.
struct IconCase {
    std::string name;
    Picture picture;
    int hidden;
};

std::ostream& operator<<(std::ostream& os, const IconCase& c) { return os << c.name; }

class IconTransparency : public testing::TestWithParam<IconCase> {};

TEST_P(IconTransparency, HidesExactlyTheOutsideOfTheOutline) {
    const Picture& p = GetParam().picture;
    EXPECT_EQ(p.HiddenCount(), GetParam().hidden);
    EXPECT_EQ(p.HiddenReachableFromBorder(), p.HiddenCount());
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) EXPECT_TRUE(p.Hidden(x, y));
    EXPECT_FALSE(p.Hidden(16, 16));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (p.Hidden(x, y)) {
                EXPECT_EQ(p.At(x, y), kBlack) << x << "," << y;
            }
}

INSTANTIATE_TEST_SUITE_P(
    Icons, IconTransparency,
    testing::Values(IconCase{"MainIcon", DecodeIcon4(LoadMedia("MainIcon.ico"), 22), 325},
                    IconCase{"AboutPicture", DecodeIcon24(LoadMedia("ProgramIcon.bin"), 6 + 22),
                             72}),
    [](const auto& info) { return info.param.name; });

TEST(TrainIcon, ShowsTheColoursOfTheTrainFront) {
    const Colours expected = {kWhite,   0xC0C0C0, kBlack,   0x00FFFF, 0x008080,
                              0xFF0000, 0xFFFF00, 0x0000FF, 0x000080};
    EXPECT_TRUE(Includes(DecodeIcon4(LoadMedia("MainIcon.ico"), 22).Colours(0, 32), expected));
}

TEST(FormIcon, CarriesTheSameImageAsTheApplicationIcon) {
    const Bytes form = LoadMedia("FormIcon.ico"), main = LoadMedia("MainIcon.ico");
    ASSERT_EQ(form.size(), 766u);
    EXPECT_EQ(Slice(form, 22, 744), Slice(main, 22, 744));
}

TEST(AboutPicture, IsGreenWithWhiteLinesAndSymmetricCorners) {
    const Picture p = DecodeIcon24(LoadMedia("ProgramIcon.bin"), 28);
    EXPECT_EQ(p.Colours(0, 32), (Colours{0x00E000, kWhite}));
    // The bevels hide the same number of pixels at every corner.
    for (auto [x0, y0] : {std::pair{0, 0}, {24, 0}, {0, 24}, {24, 24}}) {
        int hidden = 0;
        for (int y = y0; y < y0 + 8; ++y)
            for (int x = x0; x < x0 + 8; ++x) hidden += p.Hidden(x, y);
        EXPECT_EQ(hidden, 18) << x0 << "," << y0;
    }
}

TEST(ButtonGlyph, BackgroundIsTheOliveOfTheBottomLeftPixel) {
    const Picture p = DecodeBmp4(LoadMedia("BitBtn1Glyph.bin"), 4);
    ASSERT_EQ(p.width, 32);
    EXPECT_EQ(p.At(0, 15), kOlive);
    // Each half's corners are background, so nothing but the clock is drawn.
    for (int half : {0, 16})
        for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}})
            EXPECT_EQ(p.At(half + x, y), kOlive) << half + x << "," << y;
}

TEST(ButtonGlyph, NormalClockIsColouredAndDisabledClockGreyAndWhite) {
    const Picture p = DecodeBmp4(LoadMedia("BitBtn1Glyph.bin"), 4);
    EXPECT_TRUE(Includes(p.Colours(0, 16), {kBlack, 0xFF0000, kWhite, 0x0000FF, 0xBFBFBF}));
    EXPECT_EQ(p.Colours(16, 32), (Colours{kOlive, 0x7F7F7F, kWhite}));
}

TEST(ImageList, AlphaBytesAreZero) {
    const Bytes b = LoadMedia("ImageList1.bin");
    for (std::size_t at = 28 + 54 + 3; at < 28 + 4150; at += 4) ASSERT_EQ(b[at], 0) << at;
}

// Per slot: whether it shows anything, and colours its picture must include.
struct SlotCase {
    int slot;
    bool empty;
    Colours colours;
};

class ImageListSlot : public testing::TestWithParam<SlotCase> {};

TEST_P(ImageListSlot, ShowsItsPictureOverATransparentBackground) {
    const Picture p = DecodeImageList(LoadMedia("ImageList1.bin"));
    const int x0 = 16 * GetParam().slot;
    int visible = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = x0; x < x0 + 16; ++x) {
            visible += !p.Hidden(x, y);
            if (p.Hidden(x, y)) {
                EXPECT_EQ(p.At(x, y), kBlack) << x << "," << y;
            }
        }
    if (GetParam().empty) {
        EXPECT_EQ(visible, 0);
    } else {
        EXPECT_GT(visible, 64);
        EXPECT_LT(visible, 256);  // some background stays transparent
        EXPECT_TRUE(Includes(p.Colours(x0, x0 + 16), GetParam().colours));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Slots, ImageListSlot,
    testing::Values(SlotCase{0, false, {kWhite, kBlack, 0x000080}},                          // copy
                    SlotCase{1, false, {0x000080, 0x0000FF, 0x00FFFF, 0x008000, 0x808080}},  // exit
                    SlotCase{2, false, {0xFF0000, 0xFFFF00, kWhite}},  // about
                    SlotCase{3, true, {}}));

}  // namespace
}  // namespace media_test
