// The colours of the menu bar and its drop-downs, derived from the system colours when
// the window is built, and the hue-luminance-saturation arithmetic behind them.
#pragma once

#include <windows.h>

namespace quillfen {

// Hue, luminance and saturation, each on the 0–240 scale of the colour pickers.
struct Hls {
    int hue = 0;
    int luminance = 0;
    int saturation = 0;
};

Hls RgbToHls(COLORREF colour) noexcept;
COLORREF HlsToRgb(Hls hls) noexcept;

// The colour made lighter by `steps` luminance steps, or darker by as many when its
// saturation is above 220, where lightening would wash it out.
COLORREF HighlightOf(COLORREF colour, int steps = 15) noexcept;

// The system colours the palette follows.
struct SystemColours {
    COLORREF buttonFace;
    COLORREF window;
    COLORREF windowText;
    COLORREF grayText;
    COLORREF buttonHighlight;
    COLORREF darkShadow;
};
SystemColours CurrentSystemColours() noexcept;

struct MenuPalette {
    COLORREF color;              // bar background and the drop-downs' picture column
    COLORREF menuColor;          // drop-down background
    COLORREF fontColor;          // item text
    COLORREF selectedColor;      // highlighted item fill
    COLORREF selectedFontColor;  // highlighted item text
    COLORREF btnFrameColor;      // frame around a highlighted item
    COLORREF btnSelectedColor;   // top-level entry with its drop-down open
    COLORREF highlightColor;
    COLORREF unusedColor;
    COLORREF disabledFontColor;
    COLORREF disabledFontShadow;
    COLORREF disabledColor;
    COLORREF shadowColor;
    COLORREF frameInner;  // top-left and bottom-right inner frame edges
    COLORREF frameOuter;  // top-left and bottom-right outer frame edges
};

MenuPalette MakeMenuPalette(const SystemColours& system) noexcept;

}  // namespace quillfen
