#include "Pictures.h"

#include <utility>

namespace media_test {
namespace {

std::uint32_t Rgb(const Bytes& b, std::size_t bgr) {
    return (std::uint32_t{b.at(bgr + 2)} << 16) | (std::uint32_t{b.at(bgr + 1)} << 8) | b.at(bgr);
}

int Stride(int width, int bpp) { return (width * bpp + 31) / 32 * 4; }

// Fills rgb from bottom-up rows; colourOf(row start, x) reads one pixel.
template <class ColourOf>
Picture Read(int w, int h, std::size_t pixels, int bpp, ColourOf colourOf) {
    Picture p{w, h, {}, std::vector<bool>(static_cast<std::size_t>(w * h), false)};
    for (int y = 0; y < h; ++y) {
        const std::size_t row = pixels + static_cast<std::size_t>((h - 1 - y) * Stride(w, bpp));
        for (int x = 0; x < w; ++x) p.rgb.push_back(colourOf(row, x));
    }
    return p;
}

void ReadMask(Picture& p, const Bytes& b, std::size_t mask) {
    const int stride = Stride(p.width, 1);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::size_t byte =
                mask + static_cast<std::size_t>((p.height - 1 - y) * stride + x / 8);
            p.hidden[p.Index(x, y)] = (b.at(byte) >> (7 - x % 8)) & 1;
        }
}

Picture Indexed4(const Bytes& b, std::size_t palette, std::size_t pixels, int w, int h) {
    return Read(w, h, pixels, 4, [&](std::size_t row, int x) {
        const int byte = b.at(row + static_cast<std::size_t>(x / 2));
        const int index = x % 2 == 0 ? byte >> 4 : byte & 15;
        return Rgb(b, palette + 4u * static_cast<unsigned>(index));
    });
}

}  // namespace

std::set<std::uint32_t> Picture::Colours(int x0, int x1) const {
    std::set<std::uint32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = x0; x < x1; ++x)
            if (!Hidden(x, y)) out.insert(At(x, y));
    return out;
}

int Picture::HiddenReachableFromBorder() const {
    std::vector<bool> seen(hidden.size(), false);
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x == 0 || y == 0 || x == width - 1 || y == height - 1) && Hidden(x, y))
                todo.push_back({x, y});
    int reached = 0;
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x >= width || y >= height || !Hidden(x, y) || seen[Index(x, y)])
            continue;
        seen[Index(x, y)] = true;
        ++reached;
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return reached;
}

Picture DecodeIcon4(const Bytes& b, std::size_t at) {
    Picture p = Indexed4(b, at + 40, at + 40 + 64, 32, 32);
    ReadMask(p, b, at + 40 + 64 + 512);
    return p;
}

Picture DecodeIcon24(const Bytes& b, std::size_t at) {
    Picture p = Read(32, 32, at + 40, 24, [&](std::size_t row, int x) {
        return Rgb(b, row + 3u * static_cast<unsigned>(x));
    });
    ReadMask(p, b, at + 40 + 3072);
    return p;
}

Picture DecodeBmp4(const Bytes& b, std::size_t at) {
    const int w = static_cast<int>(Le(b, at + 18, 4)), h = static_cast<int>(Le(b, at + 22, 4));
    return Indexed4(b, at + 54, at + Le(b, at + 10, 4), w, h);
}

Picture DecodeImageList(const Bytes& b) {
    constexpr std::size_t kColourPixels = 28 + 54, kMaskPixels = 4178 + 62;
    Picture p = Read(64, 16, kColourPixels, 32, [&](std::size_t row, int x) {
        return Rgb(b, row + 4u * static_cast<unsigned>(x));
    });
    ReadMask(p, b, kMaskPixels);
    return p;
}

}  // namespace media_test
