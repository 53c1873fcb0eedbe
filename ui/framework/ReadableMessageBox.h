// The system's message box, readable whatever the system's language: where the box's own
// font has no glyphs for the text (a Japanese message on a system set up for English shows
// empty boxes), its text is set in a font that has them.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/win32/Fonts.h"

namespace quillfen {

// MessageBoxW with the text in the box's own font where that covers it, else in a font
// chosen from the same height, the fallback's character set and face (FontCoveringText);
// the box grows if the text then needs more room. A fallback without a face leaves the box
// as the system makes it.
int ShowReadableMessageBox(HWND owner, std::wstring_view text, std::wstring_view title,
                           UINT type, const FontDescription& fallback);

}  // namespace quillfen
