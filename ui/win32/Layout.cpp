#include "ui/win32/Layout.h"

namespace quillfen {

int ScaleInt(int value, int numerator, int denominator) noexcept {
    return ::MulDiv(value, numerator, denominator);
}

int FontHeightForDensity(int designHeight, int pixelsPerInch) noexcept {
    if (pixelsPerInch == kDesignPixelsPerInch) return designHeight;
    return ScaleInt(designHeight, pixelsPerInch, kDesignPixelsPerInch);
}

LayoutScale ScaleForTextHeight(int measuredHeight) noexcept {
    if (measuredHeight <= 0 || measuredHeight == kDesignTextHeight) return {};
    return {measuredHeight, kDesignTextHeight};
}

POINT AttachedLabelOrigin(const RECT& field, SIZE label, LabelPosition position,
                          int spacing) noexcept {
    const int width = field.right - field.left;
    const int height = field.bottom - field.top;
    switch (position) {
        case LabelPosition::Above:
            return {field.left, field.top - label.cy - spacing};
        case LabelPosition::Below:
            return {field.left, field.bottom + spacing};
        case LabelPosition::Left:
            return {field.left - label.cx - spacing, field.top + (height - label.cy) / 2};
        case LabelPosition::Right:
            return {field.left + width + spacing, field.top + (height - label.cy) / 2};
    }
    return {field.left, field.top};
}

int CentredOrigin(int extent, int size) noexcept { return (extent - size) / 2; }

}  // namespace quillfen
