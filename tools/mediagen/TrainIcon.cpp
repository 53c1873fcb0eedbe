// The application icon: a train's front seen head-on, symmetric about column 15.
#include "Artwork.h"

namespace mediagen {
namespace {

using namespace colour;

constexpr int kAxis = 15;
constexpr int kBodyRows = 29;  // rows 29-31 hold only the feet
// Half-width of the body per row, beyond the axis column: a rounded roof, straight sides.
constexpr int kHalfWidth[kBodyRows] = {4,  7,  9,  11, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12,
                                       12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 11, 10};

int Left(int y) { return kAxis - kHalfWidth[y]; }
int Right(int y) { return kAxis + kHalfWidth[y]; }

// Mirror-draws a rectangle given by its left half, so both sides stay identical.
void Pair(Canvas& c, int x0, int y0, int x1, int y1, Rgb colour) {
    c.FillRect(x0, y0, x1, y1, colour);
    c.FillRect(2 * kAxis - x1, y0, 2 * kAxis - x0, y1, colour);
}

void DrawBody(Canvas& c) {
    for (int y = 0; y < kBodyRows; ++y) {
        const Rgb fill = y <= 4 ? kWhite : y <= 6 ? kBlack : kBlue;
        c.FillRect(Left(y), y, Right(y), y, fill);
    }
    // The roof's silver edge: every roof pixel with open air beside or above it.
    for (int y = 0; y <= 4; ++y) {
        const int aboveLeft = y == 0 ? kAxis + 1 : Left(y - 1);
        for (int x = Left(y); x <= Right(y); ++x)
            if (x <= Left(y) || x >= Right(y) || x < aboveLeft || x > 2 * kAxis - aboveLeft)
                c.Set(x, y, kSilver);
    }
    // Dark-blue side pillars frame the lower body.
    for (int y = 18; y <= 26; ++y) {
        c.Set(Left(y), y, kNavy);
        c.Set(Right(y), y, kNavy);
    }
}

void DrawWindow(Canvas& c) {
    const int x0 = Left(7) + 1, x1 = Right(7) - 1;
    c.FillRect(x0, 7, x1, 16, kAqua);
    c.FrameRect(x0, 7, x1, 16, kNavy);
    for (int x = x0 + 2; x <= x1 - 2; x += 3) c.FillRect(x, 9, x + 1, 9, kTeal);
    // A pale reflection across the upper left of the glass.
    c.Line(x0 + 3, 14, x0 + 7, 10, kWhite);
    c.Line(x0 + 4, 14, x0 + 8, 10, kWhite);
    c.FillRect(Left(7), 17, Right(7), 17, kNavy);
}

void DrawFrontDetails(Canvas& c) {
    // Lamps below the window, yellow outside, green inside.
    Pair(c, Left(19) + 2, 19, Left(19) + 4, 20, kYellow);
    Pair(c, Left(19) + 6, 19, Left(19) + 7, 20, kLime);
    // The emblem at the centre.
    c.FillRect(kAxis - 2, 18, kAxis + 2, 22, kBlack);
    c.FillRect(kAxis - 1, 19, kAxis + 1, 21, kRed);
    // Dark-blue trim lines and the skirt.
    c.FillRect(Left(24), 24, Right(24), 24, kNavy);
    c.FillRect(Left(26), 26, Right(26), 26, kNavy);
    Pair(c, Left(25) + 2, 25, Left(25) + 4, 25, kSilver);
    c.FillRect(Left(27), 27, Right(27), 28, kBlack);
    // Coupler under the emblem.
    c.FillRect(kAxis - 1, 25, kAxis + 1, 26, kBlack);
    // Two feet.
    Pair(c, Left(28) + 3, 29, Left(28) + 4, 31, kBlack);
}

}  // namespace

Canvas DrawTrainFront() {
    Canvas c(32, 32);
    DrawBody(c);
    DrawWindow(c);
    DrawFrontDetails(c);
    return c;
}

}  // namespace mediagen
