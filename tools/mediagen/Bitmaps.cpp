#include "Bitmaps.h"

#include <stdexcept>

namespace mediagen {

const Palette16& StandardPalette() {
    static const Palette16 palette = {
        MakeRgb(0x000000), MakeRgb(0x800000), MakeRgb(0x008000), MakeRgb(0x808000),
        MakeRgb(0x000080), MakeRgb(0x800080), MakeRgb(0x008080), MakeRgb(0xC0C0C0),
        MakeRgb(0x808080), MakeRgb(0xFF0000), MakeRgb(0x00FF00), MakeRgb(0xFFFF00),
        MakeRgb(0x0000FF), MakeRgb(0xFF00FF), MakeRgb(0x00FFFF), MakeRgb(0xFFFFFF)};
    return palette;
}

int DibStride(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

namespace {

unsigned PaletteIndex(const Palette16& palette, Rgb c) {
    for (unsigned i = 0; i < palette.size(); ++i)
        if (palette[i] == c) return i;
    throw std::runtime_error("colour outside the 16-colour palette");
}

// Calls put(row bytes, x) for each pixel, rows bottom-up, padding each row with zeros.
template <class PutPixel>
Bytes PackRows(const Canvas& c, int bitsPerPixel, PutPixel put) {
    const int stride = DibStride(c.Width(), bitsPerPixel);
    Bytes out;
    out.reserve(static_cast<std::size_t>(stride * c.Height()));
    for (int y = c.Height() - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < c.Width(); ++x) put(row, x, y);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes PackIndexed4(const Canvas& c, const Palette16& palette) {
    return PackRows(c, 4, [&](Bytes& row, int x, int y) {
        const unsigned index = PaletteIndex(palette, c.At(x, y));
        row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
    });
}

Bytes PackBgr24(const Canvas& c) {
    return PackRows(c, 24, [&](Bytes& row, int x, int y) {
        const Rgb p = c.At(x, y);
        row[3 * x] = p.b;
        row[3 * x + 1] = p.g;
        row[3 * x + 2] = p.r;
    });
}

Bytes PackBgra32(const Canvas& c) {
    return PackRows(c, 32, [&](Bytes& row, int x, int y) {
        const Rgb p = c.At(x, y);
        row[4 * x] = p.b;
        row[4 * x + 1] = p.g;
        row[4 * x + 2] = p.r;
    });
}

Bytes PackMask1(const Canvas& c) {
    return PackRows(c, 1, [&](Bytes& row, int x, int y) {
        if (!c.Opaque(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    });
}

void WriteInfoHeader(ByteBuffer& out, const InfoHeader& h) {
    out.U32(40);
    out.I32(h.width);
    out.I32(h.height);
    out.U16(1);
    out.U16(static_cast<unsigned>(h.bitsPerPixel));
    out.U32(0);  // BI_RGB
    out.U32(h.imageSize);
    out.I32(h.pixelsPerMetre);
    out.I32(h.pixelsPerMetre);
    out.U32(h.coloursUsed);
    out.U32(0);  // all colours important
}

void WritePalette(ByteBuffer& out, const Rgb* colours, int count) {
    for (int i = 0; i < count; ++i) {
        out.U8(colours[i].b);
        out.U8(colours[i].g);
        out.U8(colours[i].r);
        out.U8(0);
    }
}

void WriteFileHeader(ByteBuffer& out, std::uint32_t sizeField, std::uint32_t pixelOffset) {
    out.Text("BM");
    out.U32(sizeField);
    out.U32(0);  // two reserved words
    out.U32(pixelOffset);
}

Bytes IconFile(const IconEntry& entry, const Bytes& image) {
    ByteBuffer out;
    out.U16(0);  // reserved
    out.U16(1);  // icon
    out.U16(1);  // one image
    out.U8(static_cast<unsigned>(entry.width));
    out.U8(static_cast<unsigned>(entry.height));
    out.U8(static_cast<unsigned>(entry.colourCount));
    out.U8(0);  // reserved
    out.U16(static_cast<unsigned>(entry.planes));
    out.U16(static_cast<unsigned>(entry.bitCount));
    out.U32(static_cast<std::uint32_t>(image.size()));
    out.U32(22);
    out.Append(image);
    return out.Take();
}

}  // namespace mediagen
