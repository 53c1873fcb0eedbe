// The About box picture: a green square with bevelled corners, cut into four triangles.
#include <iterator>

#include "Artwork.h"

namespace mediagen {
namespace {

using namespace colour;

constexpr Rgb kBrightGreen = MakeRgb(0x00E000);
constexpr int kSize = 32;
// Pixels cut from each corner, row by row from the corner inwards: 18 per corner, a
// staircase close to 45 degrees.
constexpr int kBevel[] = {6, 5, 3, 2, 1, 1};
constexpr int kBevelRows = static_cast<int>(std::size(kBevel));

bool InBevel(int x, int y) {
    const int cornerX = x < kSize / 2 ? x : kSize - 1 - x;
    const int cornerY = y < kSize / 2 ? y : kSize - 1 - y;
    return cornerY < kBevelRows && cornerX < kBevel[cornerY];
}

// A pixel of the shape's edge: a side of it touches a cut-away pixel or the border.
bool OnEdge(const Canvas& c, int x, int y) {
    auto open = [&](int px, int py) { return !c.Inside(px, py) || !c.Opaque(px, py); };
    return open(x - 1, y) || open(x + 1, y) || open(x, y - 1) || open(x, y + 1);
}

}  // namespace

Canvas DrawAboutPicture() {
    Canvas c(kSize, kSize);
    c.FillWhere([](int x, int y) { return !InBevel(x, y); }, kBrightGreen);
    c.FillWhere([&](int x, int y) { return c.Opaque(x, y) && (x == y || x == kSize - 1 - y); },
                kWhite);
    c.FillWhere([&](int x, int y) { return c.Opaque(x, y) && OnEdge(c, x, y); }, kWhite);
    return c;
}

}  // namespace mediagen
