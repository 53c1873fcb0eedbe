#include "ui/win32/Fonts.h"

#include <cwchar>
#include <vector>

namespace quillfen {

namespace {

LOGFONTW FontRequest(const FontDescription& d, int height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = d.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(lf.lfFaceName, d.face, LF_FACESIZE - 1);
    return lf;
}

int CALLBACK TakeProportionalFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD,
                                  LPARAM found) noexcept {
    // TMPF_FIXED_PITCH set means variable pitch; the described faces are sans-serif, and
    // '@' faces are the vertical variants.
    const BYTE pitch = metrics->tmPitchAndFamily;
    if (!(pitch & TMPF_FIXED_PITCH) || (pitch & 0xF0) == FF_ROMAN || font->lfFaceName[0] == L'@')
        return 1;
    wcsncpy(reinterpret_cast<wchar_t*>(found), font->lfFaceName, LF_FACESIZE - 1);
    return 0;
}

}  // namespace

// The forms are laid out for proportional faces. Where the described face is missing, the
// font mapper takes the first face of the character set, which may be fixed-pitch (on a
// non-Japanese system with only the IPA fonts, IPAGothic): its wider lines then wrap in
// the memo and push the travel time out of sight. Such a font is replaced by the first
// proportional sans-serif face of the same character set. A memory DC keeps this off the window
// server.
FontHandle MakeFont(const FontDescription& d, int height) {
    LOGFONTW lf = FontRequest(d, height);
    FontHandle font(::CreateFontIndirectW(&lf));
    MemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!font || !dc) return font;
    TEXTMETRICW metrics{};
    {
        ScopedSelect select(dc.get(), font.get());
        if (!::GetTextMetricsW(dc.get(), &metrics) || (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH))
            return font;
    }
    LOGFONTW query{};
    query.lfCharSet = d.charset;
    wchar_t face[LF_FACESIZE] = {};
    ::EnumFontFamiliesExW(dc.get(), &query, TakeProportionalFace, reinterpret_cast<LPARAM>(face),
                          0);
    if (!face[0]) return font;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    FontHandle proportional(::CreateFontIndirectW(&lf));
    return proportional ? std::move(proportional) : std::move(font);
}

SIZE MeasureText(HDC dc, std::wstring_view text, int wrapWidth, UINT format) {
    RECT r{0, 0, wrapWidth, 0};
    format |= wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | format);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE MeasureText(HFONT font, std::wstring_view text, int wrapWidth, UINT format) {
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    return MeasureText(screen.get(), text, wrapWidth, format);
}

bool FontCovers(HFONT font, std::wstring_view text) {
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    std::vector<WORD> glyphs(text.size());
    if (::GetGlyphIndicesW(screen.get(), text.data(), static_cast<int>(text.size()),
                           glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= L' ' && glyphs[i] == 0xFFFF) return false;
    }
    return true;
}

}  // namespace quillfen
