#include "ui/win32/CoveringFont.h"

#include <cwchar>

namespace quillfen {

LOGFONTW SystemMessageFont() noexcept {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return metrics.lfMessageFont;
    LOGFONTW font{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

FontHandle FontCoveringText(LOGFONTW font, std::wstring_view text,
                            const FontDescription& fallback) {
    FontHandle chosen(::CreateFontIndirectW(&font));
    if (chosen && FontCovers(chosen.get(), text)) return chosen;
    font.lfCharSet = fallback.charset;
    chosen = FontHandle(::CreateFontIndirectW(&font));
    if (chosen && FontCovers(chosen.get(), text)) return chosen;
    wcsncpy(font.lfFaceName, fallback.face, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return FontHandle(::CreateFontIndirectW(&font));
}

}  // namespace quillfen
