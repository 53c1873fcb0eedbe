// The fonts the program's forms are designed in.
#pragma once

#include "ui/win32/Fonts.h"

namespace quillfen {

inline constexpr FontDescription kFormFont{L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -12};
inline constexpr FontDescription kLargeFont{L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, -16};
inline constexpr FontDescription kMenuFont{L"MS UI Gothic", SHIFTJIS_CHARSET, -12};

}  // namespace quillfen
