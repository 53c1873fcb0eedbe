#include "ui/controls/MenuStyle.h"

#include <algorithm>

namespace quillfen {

namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kSextant = kHlsMax / 6;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

// One channel of the way back, on the HLS scale, for a hue shifted to that channel.
int HueToChannel(int low, int high, int hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kSextant) return low + ((high - low) * hue + kSextant / 2) / kSextant;
    if (hue < kHlsMax / 2) return high;
    if (hue < kHlsMax * 2 / 3) {
        return low + ((high - low) * (kHlsMax * 2 / 3 - hue) + kSextant / 2) / kSextant;
    }
    return low;
}

// HLS scale to 0–255, rounding up: a lightened colour never comes out a shade darker
// than its luminance asks for (button face 236,233,216 lightened gives 247,246,238).
int ToRgbScale(int value) { return (value * kRgbMax + kHlsMax - 1) / kHlsMax; }

}  // namespace

Hls RgbToHls(COLORREF colour) noexcept {
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    Hls out;
    out.luminance = ((high + low) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (high == low) {
        out.hue = kUndefinedHue;
        return out;
    }
    const int spread = high - low;
    const int sum = out.luminance <= kHlsMax / 2 ? high + low : 2 * kRgbMax - high - low;
    out.saturation = (spread * kHlsMax + sum / 2) / sum;
    auto delta = [&](int c) { return ((high - c) * kSextant + spread / 2) / spread; };
    if (r == high) {
        out.hue = delta(b) - delta(g);
    } else if (g == high) {
        out.hue = kHlsMax / 3 + delta(r) - delta(b);
    } else {
        out.hue = kHlsMax * 2 / 3 + delta(g) - delta(r);
    }
    if (out.hue < 0) out.hue += kHlsMax;
    if (out.hue > kHlsMax) out.hue -= kHlsMax;
    return out;
}

COLORREF HlsToRgb(Hls hls) noexcept {
    const int l = std::clamp(hls.luminance, 0, kHlsMax);
    const int s = std::clamp(hls.saturation, 0, kHlsMax);
    if (s == 0) {
        const int grey = ToRgbScale(l);
        return RGB(grey, grey, grey);
    }
    const int high = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                      : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    const int low = 2 * l - high;
    const int r = ToRgbScale(HueToChannel(low, high, hls.hue + kHlsMax / 3));
    const int g = ToRgbScale(HueToChannel(low, high, hls.hue));
    const int b = ToRgbScale(HueToChannel(low, high, hls.hue - kHlsMax / 3));
    return RGB(r, g, b);
}

COLORREF HighlightOf(COLORREF colour, int steps) noexcept {
    Hls hls = RgbToHls(colour);
    hls.luminance += hls.saturation > 220 ? -steps : steps;
    return HlsToRgb(hls);
}

SystemColours CurrentSystemColours() noexcept {
    return {::GetSysColor(COLOR_BTNFACE),      ::GetSysColor(COLOR_WINDOW),
            ::GetSysColor(COLOR_WINDOWTEXT),   ::GetSysColor(COLOR_GRAYTEXT),
            ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW),
            ::GetSysColor(COLOR_MENU),         ::GetSysColor(COLOR_MENUTEXT),
            ::GetSysColor(COLOR_HIGHLIGHT),    ::GetSysColor(COLOR_HIGHLIGHTTEXT)};
}

bool HighContrastOn() noexcept {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}

MenuPalette CurrentMenuPalette() noexcept {
    return MakeMenuPalette(CurrentSystemColours(), HighContrastOn());
}

MenuPalette MakeMenuPalette(const SystemColours& system, bool highContrast) noexcept {
    if (highContrast) {
        // Fills in the menu colour, text in its text colour, frames and the separator in
        // the window text colour, which the scheme keeps visible against both.
        MenuPalette p{};
        p.color = p.menuColor = p.btnSelectedColor = system.menu;
        p.highlightColor = p.unusedColor = p.frameInner = p.disabledFontShadow = system.menu;
        p.fontColor = system.menuText;
        p.selectedColor = system.highlight;
        p.selectedFontColor = system.highlightText;
        p.btnFrameColor = p.frameOuter = p.shadowColor = system.windowText;
        p.disabledFontColor = p.disabledColor = system.grayText;
        return p;
    }
    const COLORREF highlight = HighlightOf(system.buttonFace);
    MenuPalette p{};
    p.color = system.buttonFace;
    p.menuColor = system.window;
    p.fontColor = system.windowText;
    p.selectedColor = RGB(198, 211, 239);
    p.selectedFontColor = RGB(0, 0, 0);
    p.btnFrameColor = RGB(49, 105, 198);
    p.btnSelectedColor = system.buttonFace;
    p.highlightColor = highlight;
    p.unusedColor = highlight;
    p.disabledFontColor = system.grayText;
    p.disabledFontShadow = system.buttonHighlight;
    p.disabledColor = RGB(128, 128, 128);
    p.shadowColor = system.darkShadow;
    p.frameInner = RGB(255, 255, 255);
    p.frameOuter = RGB(138, 134, 122);
    return p;
}

}  // namespace quillfen
