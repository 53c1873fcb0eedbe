// The colours of the menu bar and its drop-downs, derived from the system colours when
// the window is built and again whenever they change, and the hue-luminance-saturation
// arithmetic behind them.
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
    // What a high-contrast scheme sets for menus; the ordinary palette does without.
    COLORREF menu = 0;
    COLORREF menuText = 0;
    COLORREF highlight = 0;
    COLORREF highlightText = 0;
};
SystemColours CurrentSystemColours() noexcept;
// Whether the user has asked for high contrast (in the accessibility settings).
bool HighContrastOn() noexcept;

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

// The fixed XP blues and greys, or with high contrast on, the scheme's own colours only:
// a user who chose white on black gets no pale blue fill with black text under it.
MenuPalette MakeMenuPalette(const SystemColours& system, bool highContrast = false) noexcept;
// The palette for the desktop as it is now.
MenuPalette CurrentMenuPalette() noexcept;

}  // namespace quillfen
