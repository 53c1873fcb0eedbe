// The screen density and the measured text height that forms and pictures scale by, with
// an override for tests of the scaling.
#pragma once

#include <windows.h>

namespace quillfen {

struct DisplayMetricsOverride {
    int pixelsPerInch = 0;  // 0: ask the screen
    int textHeight = 0;     // 0: measure "0" in the form font
};
void SetDisplayMetricsOverride(DisplayMetricsOverride metrics) noexcept;

// The screen density (or the overriding one).
int ScreenPixelsPerInch();
// The height of "0" in the font (or the overriding one).
int ZeroHeight(HFONT font);

}  // namespace quillfen
