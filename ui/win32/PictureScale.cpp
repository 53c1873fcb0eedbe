#include "ui/win32/PictureScale.h"

#include <algorithm>

#include "ui/win32/DisplayMetrics.h"

namespace quillfen {

namespace {

constexpr int kDesignPixelsPerHalfStep = 48;
constexpr int kFirstScaledDensity = 144;

std::uint32_t ToPixel(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

struct Span {
    int first, last;  // source pixels touched
};

// Target pixel t covers [t·d, (t+1)·d) and source pixel s covers [s·n, (s+1)·n).
int Overlap(int t, int s, LayoutScale k) {
    const int from = std::max(t * k.denominator, s * k.numerator);
    const int to = std::min((t + 1) * k.denominator, (s + 1) * k.numerator);
    return std::max(0, to - from);
}

Span Touched(int t, LayoutScale k) {
    return {t * k.denominator / k.numerator, ((t + 1) * k.denominator - 1) / k.numerator};
}

// Reads a bitmap as 32-bit pixels, top row first.
std::vector<std::uint32_t> ReadBits(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (!::GetObjectW(bitmap, sizeof info, &info)) return {};
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> bits(static_cast<size_t>(width) * height);
    WindowDc screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, height, bits.data(), &bmi, DIB_RGB_COLORS) != height)
        return {};
    for (auto& p : bits) p &= 0xFFFFFF;
    return bits;
}

BitmapHandle MakeMaskBitmap(const MaskedPicture& picture) {
    // Rows of a monochrome bitmap are padded to 16 bits; a set bit is transparent.
    const int stride = (picture.width + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * picture.height, 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!picture.opaque[static_cast<size_t>(y) * picture.width + x])
                bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return BitmapHandle(::CreateBitmap(picture.width, picture.height, 1, 1, bits.data()));
}

// Icon bitmaps (and image-list masks): the colour half black where the mask is set.
struct ColourAndMask {
    BitmapHandle colour, mask;
};
ColourAndMask MakeMaskedBitmaps(const MaskedPicture& picture) {
    return {MakeColourBitmap(picture, RGB(0, 0, 0)), MakeMaskBitmap(picture)};
}

MaskedPicture ReadIcon(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return {};
    BitmapHandle colour(info.hbmColor), mask(info.hbmMask);
    MaskedPicture picture;
    int mw = 0, mh = 0;
    const std::vector<std::uint32_t> maskBits = ReadBits(mask.get(), mw, mh);
    if (colour) {
        picture.pixels = ReadBits(colour.get(), picture.width, picture.height);
    } else {
        // A monochrome icon: the mask's lower half is its picture.
        picture.width = mw;
        picture.height = mh / 2;
        picture.pixels.assign(maskBits.begin() + static_cast<long>(maskBits.size() / 2),
                              maskBits.end());
    }
    if (picture.pixels.empty() || mw != picture.width || mh < picture.height) return {};
    picture.opaque.resize(picture.pixels.size());
    for (size_t i = 0; i < picture.opaque.size(); ++i) picture.opaque[i] = maskBits[i] == 0;
    return picture;
}

}  // namespace

LayoutScale PictureScaleForDensity(int pixelsPerInch) noexcept {
    if (pixelsPerInch < kFirstScaledDensity) return {};
    return {pixelsPerInch / kDesignPixelsPerHalfStep, 2};
}

LayoutScale CurrentPictureScale() { return PictureScaleForDensity(ScreenPixelsPerInch()); }

MaskedPicture ScalePicture(const MaskedPicture& source, LayoutScale k) {
    MaskedPicture out;
    out.width = source.width * k.numerator / k.denominator;
    out.height = source.height * k.numerator / k.denominator;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    out.opaque.resize(out.pixels.size());
    const int area = k.denominator * k.denominator;
    for (int ty = 0; ty < out.height; ++ty) {
        const Span ys = Touched(ty, k);
        for (int tx = 0; tx < out.width; ++tx) {
            const Span xs = Touched(tx, k);
            int covered = 0;
            int sum[3] = {0, 0, 0};
            for (int sy = ys.first; sy <= ys.last && sy < source.height; ++sy) {
                for (int sx = xs.first; sx <= xs.last && sx < source.width; ++sx) {
                    const size_t i = static_cast<size_t>(sy) * source.width + sx;
                    if (!source.opaque[i]) continue;
                    const int w = Overlap(tx, sx, k) * Overlap(ty, sy, k);
                    covered += w;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += w * static_cast<int>((source.pixels[i] >> (16 - 8 * c)) & 0xFF);
                }
            }
            const size_t o = static_cast<size_t>(ty) * out.width + tx;
            out.opaque[o] = 2 * covered >= area;
            if (!out.opaque[o]) continue;
            std::uint32_t p = 0;
            for (int c = 0; c < 3; ++c)
                p = (p << 8) | static_cast<std::uint32_t>((sum[c] + covered / 2) / covered);
            out.pixels[o] = p;
        }
    }
    return out;
}

MaskedPicture ReadPicture(HBITMAP colour, COLORREF transparent) {
    MaskedPicture picture;
    picture.pixels = ReadBits(colour, picture.width, picture.height);
    picture.opaque.resize(picture.pixels.size());
    const std::uint32_t left = transparent == CLR_INVALID ? 0xFFFFFFFF : ToPixel(transparent);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.opaque[i] = picture.pixels[i] != left;
    return picture;
}

BitmapHandle MakeColourBitmap(const MaskedPicture& picture, COLORREF fill, bool keyed) {
    BITMAPINFO bmi{};
    bmi.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    auto* out = static_cast<std::uint32_t*>(bits);
    const std::uint32_t background = ToPixel(fill);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        std::uint32_t p = picture.opaque[i] ? picture.pixels[i] : background;
        // An opaque pixel that happened to come out in the left-out colour stays visible.
        if (keyed && picture.opaque[i] && p == background) p ^= 1;
        out[i] = p;
    }
    ::GdiFlush();
    return bitmap;
}

IconHandle ScaleIcon(HICON icon, LayoutScale scale) {
    if (!icon || scale.identity()) return {};
    const MaskedPicture source = ReadIcon(icon);
    if (source.pixels.empty()) return {};
    const ColourAndMask bitmaps = MakeMaskedBitmaps(ScalePicture(source, scale));
    if (!bitmaps.colour || !bitmaps.mask) return {};
    ICONINFO info{TRUE, 0, 0, bitmaps.mask.get(), bitmaps.colour.get()};
    return IconHandle(::CreateIconIndirect(&info));
}

ImageListHandle ScaleImageList(HIMAGELIST images, LayoutScale scale) {
    int w = 0, h = 0;
    if (!images || scale.identity() || !::ImageList_GetIconSize(images, &w, &h)) return {};
    const int count = ::ImageList_GetImageCount(images);
    ImageListHandle scaled(::ImageList_Create(w * scale.numerator / scale.denominator,
                                              h * scale.numerator / scale.denominator,
                                              ILC_COLOR24 | ILC_MASK, count, 4));
    if (!scaled) return {};
    for (int i = 0; i < count; ++i) {
        IconHandle icon(::ImageList_GetIcon(images, i, ILD_NORMAL));
        const MaskedPicture source = icon ? ReadIcon(icon.get()) : MaskedPicture{};
        const ColourAndMask bitmaps = MakeMaskedBitmaps(ScalePicture(source, scale));
        if (source.pixels.empty() ||
            ::ImageList_Add(scaled.get(), bitmaps.colour.get(), bitmaps.mask.get()) < 0) {
            return {};
        }
    }
    return scaled;
}

}  // namespace quillfen
