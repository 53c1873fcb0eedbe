// Fonts for texts the system's own font may not be able to show: on a system set up for
// another language the message font often lacks the Japanese glyphs.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/win32/Fonts.h"
#include "ui/win32/Handles.h"

namespace quillfen {

// The system's message font; the default GUI font where the metrics cannot be read.
LOGFONTW SystemMessageFont() noexcept;

// `request` where its face has the glyphs of `text`; otherwise the same height in the
// fallback's character set, for which the font mapper picks a face that has them; else
// the fallback's face at that height.
FontHandle FontCoveringText(LOGFONTW request, std::wstring_view text,
                            const FontDescription& fallback);

}  // namespace quillfen
