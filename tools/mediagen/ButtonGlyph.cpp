// The Calculate button's strip: a clock, and the same clock embossed for the disabled state.
#include <utility>

#include "Artwork.h"

namespace mediagen {
namespace {

using namespace colour;

// The strip's palette swaps in these two greys for silver and grey.
constexpr Rgb kDarkGrey = MakeRgb(0x7F7F7F), kLightGrey = MakeRgb(0xBFBFBF);
constexpr int kCentre = 7;  // the clock fills pixels 0-14 of each 16 x 16 half

Canvas DrawClock() {
    Canvas c(16, 16);
    c.Disc(kCentre, kCentre, 7.5, kBlack);
    c.Disc(kCentre, kCentre, 6.5, kRed);
    c.Disc(kCentre, kCentre, 5.0, kWhite);
    // Light falls on the bezel from the upper left.
    for (auto [x, y] : {std::pair{2, 4}, {3, 3}, {4, 2}, {2, 5}, {5, 2}}) c.Set(x, y, kLightGrey);
    for (auto [x, y] : {std::pair{7, 3}, {11, 7}, {7, 11}, {3, 7}}) c.Set(x, y, kBlue);
    c.Line(7, 7, 10, 7, kBlack);  // long hand at 3
    c.Line(7, 7, 5, 9, kBlack);   // short hand toward half past seven
    c.Set(7, 7, kRed);
    return c;
}

// Disabled look: the clock's outline (rim, marks, hands, centre) in grey, each pixel with a
// white copy one pixel down-right; the coloured areas drop out.
Canvas Emboss(const Canvas& clock) {
    Canvas c(16, 16);
    auto dark = [&](int x, int y) {
        const Rgb p = clock.At(x, y);
        return clock.Opaque(x, y) && (p == kBlack || p == kBlue || (x == kCentre && y == kCentre));
    };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (dark(x, y)) c.Set(x + 1, y + 1, kWhite);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (dark(x, y)) c.Set(x, y, kDarkGrey);
    return c;
}

}  // namespace

Canvas DrawButtonGlyph() {
    Canvas strip(32, 16);
    strip.FillRect(0, 0, 31, 15, kOlive);  // the transparent colour, read from the bottom-left
    const Canvas clock = DrawClock();
    strip.Blit(clock, 0, 0);
    strip.Blit(Emboss(clock), 16, 0);
    return strip;
}

}  // namespace mediagen
