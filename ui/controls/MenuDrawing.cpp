#include "ui/controls/MenuDrawing.h"

#include <algorithm>
#include <string>

#include "ui/win32/Fonts.h"
#include "ui/win32/Handles.h"

namespace quillfen {

namespace {

// Mnemonic underlines are shown at all times, so no DT_HIDEPREFIX anywhere.
void DrawCaption(HDC dc, RECT r, std::wstring_view caption, COLORREF colour, HFONT font,
                 UINT align) {
    ScopedSelect select(dc, font);
    ::SetTextColor(dc, colour);
    ::SetBkMode(dc, TRANSPARENT);
    const WideString text(caption);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                align | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

int DropDownItemHeight(bool separator, int pictureHeight, int systemMenuHeight) noexcept {
    if (separator) return kSeparatorHeight;
    if (pictureHeight > kStandardPictureHeight) return pictureHeight + 6;
    return systemMenuHeight + 2;
}

int CaptionWidth(HDC dc, HFONT font, std::wstring_view caption) {
    ScopedSelect select(dc, font);
    return MeasureText(dc, caption).cx;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    const COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour) {
    FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, colour);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

void DrawTopEntry(HDC dc, const RECT& r, std::wstring_view caption, TopEntryState state,
                  const MenuLook& look) {
    const MenuPalette& p = look.palette;
    COLORREF text = p.fontColor;
    switch (state) {
        case TopEntryState::Rest:
            FillSolid(dc, r, p.color);
            break;
        case TopEntryState::Highlighted:
            FillSolid(dc, r, p.selectedColor);
            FrameSolid(dc, r, p.btnFrameColor);
            text = p.selectedFontColor;
            break;
        case TopEntryState::Open:
            FillSolid(dc, r, p.btnSelectedColor);
            FrameSolid(dc, r, p.frameOuter);
            // The side touching the drop-down below takes the fill, so the two join.
            FillSolid(dc, {r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, p.btnSelectedColor);
            break;
    }
    DrawCaption(dc, r, caption, text, look.font, DT_CENTER);
}

int PictureColumnWidth(HIMAGELIST images) noexcept {
    int w = kStandardPictureHeight, h = kStandardPictureHeight;
    if (images) ::ImageList_GetIconSize(images, &w, &h);
    return kPictureColumnWidth + std::max(0, w - kStandardPictureHeight);
}

void DrawDropDownItem(HDC dc, const RECT& r, const MenuEntry& entry, bool highlighted,
                      const MenuLook& look) {
    const MenuPalette& p = look.palette;
    const int columnWidth = PictureColumnWidth(look.images);
    const int column = r.left + columnWidth;
    if (highlighted && !entry.separator) {
        FillSolid(dc, r, p.selectedColor);
        FrameSolid(dc, r, p.btnFrameColor);
    } else {
        FillSolid(dc, {r.left, r.top, column, r.bottom}, p.color);
        FillSolid(dc, {column, r.top, r.right, r.bottom}, p.menuColor);
    }
    if (entry.separator) {
        const int y = r.top + (r.bottom - r.top) / 2;
        FillSolid(dc, {column + kCaptionGap, y, r.right, y + 1}, p.frameOuter);
        return;
    }
    if (entry.imageIndex != kNoImage && look.images) {
        int w = 0, h = 0;
        ::ImageList_GetIconSize(look.images, &w, &h);
        ::ImageList_Draw(look.images, entry.imageIndex, dc, r.left + (columnWidth - w) / 2,
                         r.top + (r.bottom - r.top - h) / 2, ILD_TRANSPARENT);
    }
    RECT text{column + kCaptionGap, r.top, r.right - kCaptionGap, r.bottom};
    DrawCaption(dc, text, entry.caption, highlighted ? p.selectedFontColor : p.fontColor, look.font,
                DT_LEFT);
}

void DrawDropDownFrame(HDC dc, SIZE size, int gapLeft, int gapRight, const MenuPalette& p,
                       int pictureColumn) {
    const int w = size.cx, h = size.cy;
    for (int ring = 1; ring < kDropDownFrame; ++ring) {
        FrameSolid(dc, {ring, ring, w - ring, h - ring}, p.menuColor);
    }
    const int column = kDropDownFrame + pictureColumn;
    FillSolid(dc, {1, 1, column, kDropDownFrame}, p.color);
    FillSolid(dc, {1, h - kDropDownFrame, column, h - 1}, p.color);
    FillSolid(dc, {1, 1, kDropDownFrame, h - 1}, p.color);
    FrameSolid(dc, {0, 0, w, h}, p.frameOuter);
    gapLeft = std::max(gapLeft, 1);
    gapRight = std::min(gapRight, w - 1);
    if (gapRight > gapLeft) FillSolid(dc, {gapLeft, 0, gapRight, 1}, p.btnSelectedColor);
}

}  // namespace quillfen
