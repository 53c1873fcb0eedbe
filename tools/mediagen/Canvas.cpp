#include "Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace mediagen {

Canvas::Canvas(int width, int height, Rgb hidden)
    : width_(width),
      height_(height),
      hidden_(hidden),
      pixels_(static_cast<std::size_t>(width * height), hidden),
      opaque_(static_cast<std::size_t>(width * height), false) {}

int Canvas::TransparentCount() const {
    return static_cast<int>(std::count(opaque_.begin(), opaque_.end(), false));
}

void Canvas::Set(int x, int y, Rgb c) {
    if (!Inside(x, y)) return;
    pixels_[Index(x, y)] = c;
    opaque_[Index(x, y)] = true;
}

void Canvas::Hide(int x, int y) {
    if (!Inside(x, y)) return;
    pixels_[Index(x, y)] = hidden_;
    opaque_[Index(x, y)] = false;
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) Set(x, y, c);
}

void Canvas::FrameRect(int x0, int y0, int x1, int y1, Rgb c) {
    Line(x0, y0, x1, y0, c);
    Line(x0, y1, x1, y1, c);
    Line(x0, y0, x0, y1, c);
    Line(x1, y0, x1, y1, c);
}

// Bresenham: integer steps keep thin lines crisp at icon sizes.
void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::Ring(double cx, double cy, double inner, double outer, Rgb c) {
    const double in2 = inner < 0 ? -1.0 : inner * inner, out2 = outer * outer;
    FillWhere(
        [&](int x, int y) {
            const double dx = x - cx, dy = y - cy, d2 = dx * dx + dy * dy;
            return d2 >= in2 && d2 < out2;
        },
        c);
}

void Canvas::FillWhere(const std::function<bool(int, int)>& inside, Rgb c) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (inside(x, y)) Set(x, y, c);
}

void Canvas::Blit(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x)
            if (src.Opaque(x, y)) Set(x + dx, y + dy, src.At(x, y));
}

}  // namespace mediagen
