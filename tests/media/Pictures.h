// Decoders for the committed pictures, reading them the way the platform does: rows
// bottom-up, and a 1-bit mask in which a set bit hides the pixel.
#pragma once

#include <algorithm>
#include <set>
#include <vector>

#include "MediaBytes.h"

namespace media_test {

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB, top row first
    std::vector<bool> hidden;

    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width + x); }
    std::uint32_t At(int x, int y) const { return rgb[Index(x, y)]; }
    bool Hidden(int x, int y) const { return hidden[Index(x, y)]; }
    int HiddenCount() const {
        return static_cast<int>(std::count(hidden.begin(), hidden.end(), true));
    }
    // Colours of the visible pixels in columns [x0, x1).
    std::set<std::uint32_t> Colours(int x0, int x1) const;
    // Hidden pixels reachable from the picture's border through hidden pixels.
    int HiddenReachableFromBorder() const;
};

// A 32 x 32 icon image (BITMAPINFOHEADER, then palette, pixels, mask) starting at `at`.
Picture DecodeIcon4(const Bytes& b, std::size_t at);
Picture DecodeIcon24(const Bytes& b, std::size_t at);
// A 4-bit BMP file at `at`, with no mask.
Picture DecodeBmp4(const Bytes& b, std::size_t at);
// The image-list stream: its 32-bit colour bitmap with its 1-bit mask.
Picture DecodeImageList(const Bytes& b);

}  // namespace media_test
