// The menu commands' 16 x 16 pictures, side by side in a 64 x 16 strip.
#include "Artwork.h"

namespace mediagen {
namespace {

using namespace colour;

// A sheet of paper with a folded top-right corner and lines of text.
void DrawSheet(Canvas& c, int x0, int y0, int x1, int y1, Rgb outline) {
    constexpr int kFold = 3;
    c.FillWhere(
        [&](int x, int y) {
            return x >= x0 && x <= x1 && y >= y0 && y <= y1 && (x - (x1 - kFold)) <= (y - y0);
        },
        kWhite);
    c.Line(x0, y0, x1 - kFold, y0, outline);
    c.Line(x0, y0, x0, y1, outline);
    c.Line(x0, y1, x1, y1, outline);
    c.Line(x1, y0 + kFold, x1, y1, outline);
    c.Line(x1 - kFold, y0, x1, y0 + kFold, outline);
    c.Line(x1 - kFold, y0, x1 - kFold, y0 + kFold, outline);  // the fold's crease
    c.Line(x1 - kFold, y0 + kFold, x1, y0 + kFold, outline);
    for (int y = y0 + 3; y <= y1 - 2; y += 2) {
        const int right = y <= y0 + kFold ? x1 - kFold - 2 : x1 - 2;
        c.Line(x0 + 2, y, right - (y % 4 == 1 ? 2 : 0), y, kGrey);
    }
}

Canvas DrawCopy() {
    Canvas c(16, 16);
    DrawSheet(c, 0, 0, 9, 11, kBlack);
    DrawSheet(c, 5, 4, 14, 15, kNavy);
    return c;
}

Canvas DrawExit() {
    Canvas c(16, 16);
    c.FillRect(4, 0, 11, 2, kGreen);  // the exit sign
    c.FillRect(6, 1, 9, 1, kWhite);
    c.FillRect(2, 3, 13, 13, kNavy);  // door frame
    for (int y = 4; y <= 13; ++y)
        for (int x = 3; x <= 12; ++x) {
            const bool check = (x + y) % 2 == 0;
            if (x <= 7)  // the door leaf, swung open towards us
                c.Set(x, y, check ? kBlue : kNavy);
            else  // daylight through the opening
                c.Set(x, y, check || x >= 11 ? kWhite : kAqua);
        }
    c.Line(7, 4, 7, 13, kNavy);
    c.Set(5, 9, kYellow);              // door handle
    c.FillRect(1, 14, 14, 14, kGrey);  // floor
    c.FillRect(0, 15, 15, 15, kGrey);
    c.Line(3, 14, 12, 14, kSilver);
    return c;
}

Canvas DrawQuestion() {
    Canvas c(16, 16);
    c.FillWhere([](int x, int y) { return ((x / 2) + (y / 2)) % 2 == 0; }, kYellow);
    c.FillWhere([](int x, int y) { return ((x / 2) + (y / 2)) % 2 != 0; }, kWhite);
    // Keep only the disc, edged in olive so it stands out on a white menu.
    c.FillWhere(
        [](int x, int y) {
            const double dx = x - 7.5, dy = y - 7.5;
            return dx * dx + dy * dy >= 7.0 * 7.0 && dx * dx + dy * dy < 8.0 * 8.0;
        },
        kOlive);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double dx = x - 7.5, dy = y - 7.5;
            if (dx * dx + dy * dy >= 8.0 * 8.0) c.Hide(x, y);
        }
    // The question mark: a hook (arc plus stem) and a dot, two pixels thick.
    c.FillWhere(
        [](int x, int y) {
            const double dx = x - 7.5, dy = y - 5.0, d2 = dx * dx + dy * dy;
            return d2 >= 1.6 * 1.6 && d2 < 3.4 * 3.4 && (dy < 0.5 || dx > 0.5) &&
                   !(dx < 0 && dy > -1);
        },
        kRed);
    c.FillRect(7, 8, 8, 10, kRed);
    c.FillRect(7, 12, 8, 13, kRed);
    return c;
}

}  // namespace

Canvas DrawCommandImages() {
    Canvas strip(64, 16);
    strip.Blit(DrawCopy(), 0, 0);
    strip.Blit(DrawExit(), 16, 0);
    strip.Blit(DrawQuestion(), 32, 0);
    return strip;  // slot 3 stays empty
}

}  // namespace mediagen
