// Pictures at high screen densities: the factor they are drawn at, and scaled copies of
// strips, icons and image lists that keep their transparency.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "ui/win32/Handles.h"
#include "ui/win32/Layout.h"

namespace quillfen {

// 1 below 144 PPI; from there the density over 96 in half steps (1.5 at 144, 2 at 192).
LayoutScale PictureScaleForDensity(int pixelsPerInch) noexcept;
// The factor for this screen (or the density a test set).
LayoutScale CurrentPictureScale();

// A picture as 0x00RRGGBB pixels, top row first, each pixel opaque or transparent.
struct MaskedPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint8_t> opaque;
};

// Whole factors repeat every pixel; others average the opaque pixels each target pixel
// covers (transparent ones never bleed in), and a target pixel is opaque when at least
// half of it is.
MaskedPicture ScalePicture(const MaskedPicture& source, LayoutScale scale);

// `transparent`: the colour that is left out; CLR_INVALID keeps every pixel.
MaskedPicture ReadPicture(HBITMAP colour, COLORREF transparent = CLR_INVALID);
// A 32-bit bitmap with every transparent pixel in `fill`; when `keyed` (the fill is the
// colour that drawing leaves out) no opaque pixel comes out in it.
BitmapHandle MakeColourBitmap(const MaskedPicture& picture, COLORREF fill, bool keyed = false);

// Scaled copies; null for the identity (or on failure), so the caller keeps the original.
IconHandle ScaleIcon(HICON icon, LayoutScale scale);
ImageListHandle ScaleImageList(HIMAGELIST images, LayoutScale scale);

}  // namespace quillfen
