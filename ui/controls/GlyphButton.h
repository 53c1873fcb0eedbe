// Drawing of a push button with a picture left of its caption (the Calculate button).
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/win32/Handles.h"
#include "ui/win32/Layout.h"

namespace quillfen {

// A strip of equally wide images whose bottom-left pixel colour is transparent.
class GlyphStrip {
public:
    GlyphStrip() = default;
    // `stored`: a 4-byte little-endian length followed by a BMP file; the images are
    // drawn `scale` times their own size.
    static GlyphStrip FromStoredBitmap(std::string_view stored, int imageCount,
                                       LayoutScale scale = {});

    SIZE imageSize() const noexcept { return imageSize_; }
    // Draws image `index` at (x, y) leaving out the transparent colour.
    void Draw(HDC dc, int index, int x, int y) const;

private:
    BitmapHandle bitmap_;
    SIZE imageSize_{};
    COLORREF transparent_ = 0;
};

// Where picture and caption go: together centred, `gap` pixels apart.
struct GlyphLayout {
    POINT glyph;
    RECT text;
};
GlyphLayout LayOutGlyphAndCaption(RECT client, SIZE glyph, SIZE text, int gap = 4) noexcept;

void DrawGlyphButton(const DRAWITEMSTRUCT& item, const GlyphStrip& strip, HFONT font);

}  // namespace quillfen
