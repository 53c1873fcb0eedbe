// Fonts: creating a described font, measuring text in one, and asking whether it has
// the glyphs of a text.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/win32/Handles.h"
#include "ui/win32/Text.h"

namespace quillfen {

struct FontDescription {
    const wchar_t* face;
    BYTE charset;
    int height;  // negative: character height without internal leading
};

// The described face at `height`, or a proportional face of its character set where the
// font mapper would substitute a fixed-pitch one.
FontHandle MakeFont(const FontDescription& d, int height);

// The size `text` takes in the DC's font: on one line, or broken at words at `wrapWidth`
// when that is given. `format` adds DrawText flags (DT_NOPREFIX, DT_EXPANDTABS).
SIZE MeasureText(HDC dc, std::wstring_view text, int wrapWidth = 0, UINT format = 0);
// The same in `font`, on the screen.
SIZE MeasureText(HFONT font, std::wstring_view text, int wrapWidth = 0, UINT format = 0);

// True when the font's face has a glyph of its own for every character of the text. What
// font linking would draw instead is not counted: not every system links the faces.
bool FontCovers(HFONT font, std::wstring_view text);

}  // namespace quillfen
