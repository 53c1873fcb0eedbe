// A small RGB drawing surface with per-pixel transparency; every picture is drawn on one.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace mediagen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

constexpr Rgb MakeRgb(std::uint32_t rrggbb) {
    return Rgb{static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
               static_cast<std::uint8_t>(rrggbb)};
}

class Canvas {
public:
    // Starts fully transparent; transparent pixels hold `hidden` as their colour.
    Canvas(int width, int height, Rgb hidden = Rgb{});

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
    bool Opaque(int x, int y) const { return opaque_[Index(x, y)]; }
    int TransparentCount() const;

    // Drawing clips silently at the edges.
    void Set(int x, int y, Rgb c);
    void Hide(int x, int y);
    void FillRect(int x0, int y0, int x1, int y1, Rgb c);  // corners inclusive
    void FrameRect(int x0, int y0, int x1, int y1, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);
    // Pixels whose centre lies within [inner, outer) of (cx, cy).
    void Ring(double cx, double cy, double inner, double outer, Rgb c);
    void Disc(double cx, double cy, double r, Rgb c) { Ring(cx, cy, -1.0, r, c); }
    void FillWhere(const std::function<bool(int, int)>& inside, Rgb c);
    // Draws `src` at (dx, dy), copying only its opaque pixels.
    void Blit(const Canvas& src, int dx, int dy);

private:
    int Index(int x, int y) const { return y * width_ + x; }

    int width_, height_;
    Rgb hidden_;
    std::vector<Rgb> pixels_;
    std::vector<bool> opaque_;
};

}  // namespace mediagen
