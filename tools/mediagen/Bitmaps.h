// Pixel packing and header writing shared by the icon, BMP and image-list files.
#pragma once

#include <array>
#include <cstdint>

#include "ByteBuffer.h"
#include "Canvas.h"

namespace mediagen {

using Palette16 = std::array<Rgb, 16>;

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue,
// fuchsia, aqua, white.
const Palette16& StandardPalette();

// Bytes per row of a bottom-up DIB: rows are padded to a multiple of four bytes.
int DibStride(int width, int bitsPerPixel);

// Pixel rows, bottom row first. PackIndexed4 throws if a colour is missing from the palette.
Bytes PackIndexed4(const Canvas& c, const Palette16& palette);
Bytes PackBgr24(const Canvas& c);
Bytes PackBgra32(const Canvas& c);  // alpha bytes stay 0
// One bit per pixel, set where the canvas is transparent.
Bytes PackMask1(const Canvas& c);

struct InfoHeader {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::uint32_t imageSize = 0;
    std::int32_t pixelsPerMetre = 0;
    std::uint32_t coloursUsed = 0;
};
void WriteInfoHeader(ByteBuffer& out, const InfoHeader& h);         // 40 bytes, BI_RGB
void WritePalette(ByteBuffer& out, const Rgb* colours, int count);  // RGBQUADs
// 14-byte "BM" header.
void WriteFileHeader(ByteBuffer& out, std::uint32_t sizeField, std::uint32_t pixelOffset);

struct IconEntry {
    int width = 32, height = 32, colourCount = 0, planes = 0, bitCount = 0;
};
// A one-image .ico file: directory, one entry, then `image` at offset 22.
Bytes IconFile(const IconEntry& entry, const Bytes& image);

}  // namespace mediagen
