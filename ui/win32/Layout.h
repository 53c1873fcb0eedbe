// Pure layout arithmetic shared by the form builder and its tests.
#pragma once

#include <windows.h>


namespace quillfen {

// Design metrics every stored layout is written for.
constexpr int kDesignPixelsPerInch = 96;
constexpr int kDesignTextHeight = 12;
constexpr int kLabelSpacing = 3;

// Where a field's attached label stands.
enum class LabelPosition : unsigned char { Above, Below, Left, Right };

// Multiply-then-divide rounded to nearest, as the platform's MulDiv does.
int ScaleInt(int value, int numerator, int denominator) noexcept;

// The form font height for the screen density: stored height × ppi / 96, rounded.
int FontHeightForDensity(int designHeight, int pixelsPerInch) noexcept;

// The factor every control is scaled by: measured "0" height over the design height 12.
struct LayoutScale {
    int numerator = kDesignTextHeight;
    int denominator = kDesignTextHeight;
    int operator()(int value) const noexcept { return ScaleInt(value, numerator, denominator); }
    bool identity() const noexcept { return numerator == denominator; }
};
LayoutScale ScaleForTextHeight(int measuredHeight) noexcept;

// Top-left of a label attached to a field at `field`, the label being w × h.
POINT AttachedLabelOrigin(const RECT& field, SIZE label, LabelPosition position,
                          int spacing = kLabelSpacing) noexcept;

// Centring: (extent − size) / 2, truncating toward zero.
int CentredOrigin(int extent, int size) noexcept;

}  // namespace quillfen
