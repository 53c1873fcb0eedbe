// Drawing of the menu bar's top-level entries and drop-down items in the XP menu look.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string_view>

#include "ui/win32/Text.h"
#include "ui/controls/MenuModel.h"
#include "ui/controls/MenuStyle.h"

namespace quillfen {

// Width of the picture column at the left of every drop-down item.
constexpr int kPictureColumnWidth = 25;
// Space between the picture column and an item's caption.
constexpr int kCaptionGap = 8;
// Space left and right of a top-level entry's caption.
constexpr int kTopEntryPadding = 6;
constexpr int kSeparatorHeight = 3;
// Width of the frame around a drop-down's items.
constexpr int kDropDownFrame = 3;
constexpr int kStandardPictureHeight = 16;

// The picture column widens by as much as the pictures are wider than the standard 16.
int PictureColumnWidth(HIMAGELIST images) noexcept;

// What the drawing needs besides the item itself.
struct MenuLook {
    const MenuPalette& palette;
    HFONT font;
    HIMAGELIST images;
};

enum class TopEntryState {
    Rest,         // the bar background
    Highlighted,  // under the mouse, or selected in menu mode with no drop-down open
    Open,         // its drop-down is open below it
};

// Height of a drop-down item: the menu-bar height plus 2, or picture height plus 6 for a
// picture taller than the standard 16, and 3 for a separator.
int DropDownItemHeight(bool separator, int pictureHeight, int systemMenuHeight) noexcept;

// The width a caption takes in the font, "&" markers left out.
int CaptionWidth(HDC dc, HFONT font, std::wstring_view caption);

void FillSolid(HDC dc, const RECT& r, COLORREF colour);
// A one-pixel rectangle outline along the inside of `r`.
void FrameSolid(HDC dc, const RECT& r, COLORREF colour);

void DrawTopEntry(HDC dc, const RECT& r, std::wstring_view caption, TopEntryState state,
                  const MenuLook& look);
void DrawDropDownItem(HDC dc, const RECT& r, const MenuEntry& entry, bool highlighted,
                      const MenuLook& look);
// The frame of a drop-down `size` large: a line in the outer frame colour, open between
// `gapLeft` and `gapRight` along the top where the drop-down meets its open entry, and
// inside it the item background, with the picture column running the full height.
void DrawDropDownFrame(HDC dc, SIZE size, int gapLeft, int gapRight, const MenuPalette& p,
                       int pictureColumn = kPictureColumnWidth);

}  // namespace quillfen
