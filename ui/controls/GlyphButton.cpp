#include "ui/controls/GlyphButton.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/win32/Fonts.h"
#include "ui/win32/PictureScale.h"

namespace quillfen {

GlyphStrip GlyphStrip::FromStoredBitmap(std::string_view stored, int imageCount,
                                        LayoutScale scale) {
    GlyphStrip strip;
    if (stored.size() < 4 + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return strip;
    std::uint32_t length = 0;
    std::memcpy(&length, stored.data(), 4);
    if (length > stored.size() - 4) return strip;
    const char* file = stored.data() + 4;
    BITMAPFILEHEADER header{};
    std::memcpy(&header, file, sizeof header);
    if (header.bfOffBits >= length) return strip;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file + sizeof header);
    const void* bits = file + header.bfOffBits;
    WindowDc screen(nullptr);
    strip.bitmap_.reset(
        ::CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
    const int width = info->bmiHeader.biWidth;
    const int height = std::abs(info->bmiHeader.biHeight);
    strip.imageSize_ = {width / (imageCount > 0 ? imageCount : 1), height};
    {
        MemoryDc memory(::CreateCompatibleDC(screen.get()));
        ScopedSelect select(memory.get(), strip.bitmap_.get());
        strip.transparent_ = ::GetPixel(memory.get(), 0, height - 1);
    }
    if (!scale.identity() && strip.bitmap_) {
        // Each image's edge lands on a whole target pixel for the factors in use, so the
        // strip scales as one picture.
        const MaskedPicture scaled =
            ScalePicture(ReadPicture(strip.bitmap_.get(), strip.transparent_), scale);
        if (BitmapHandle bitmap = MakeColourBitmap(scaled, strip.transparent_, true)) {
            strip.bitmap_ = std::move(bitmap);
            strip.imageSize_ = {scaled.width / (imageCount > 0 ? imageCount : 1), scaled.height};
        }
    }
    return strip;
}

void GlyphStrip::Draw(HDC dc, int index, int x, int y) const {
    if (!bitmap_) return;
    MemoryDc memory(::CreateCompatibleDC(dc));
    ScopedSelect select(memory.get(), bitmap_.get());
    // gdi32's own entry point: msimg32's TransparentBlt only forwards to it, and loading
    // that library would cost start-up time.
    ::GdiTransparentBlt(dc, x, y, imageSize_.cx, imageSize_.cy, memory.get(), index * imageSize_.cx,
                        0, imageSize_.cx, imageSize_.cy, transparent_);
}

GlyphLayout LayOutGlyphAndCaption(RECT client, SIZE glyph, SIZE text, int gap) noexcept {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int total = glyph.cx + gap + text.cx;
    const int left = client.left + (width - total) / 2;
    GlyphLayout layout{};
    layout.glyph = {left, client.top + (height - glyph.cy) / 2};
    layout.text.left = left + glyph.cx + gap;
    layout.text.top = client.top + (height - text.cy) / 2;
    layout.text.right = layout.text.left + text.cx;
    layout.text.bottom = layout.text.top + text.cy;
    return layout;
}

namespace {

void DrawFace(const DRAWITEMSTRUCT& item, bool pushed, bool hot) {
    RECT r = item.rcItem;
    if (const ThemeHandle theme{::OpenThemeData(item.hwndItem, L"BUTTON")}) {
        int state = PBS_NORMAL;
        if (item.itemState & ODS_DISABLED)
            state = PBS_DISABLED;
        else if (pushed)
            state = PBS_PRESSED;
        else if (hot)
            state = PBS_HOT;
        ::DrawThemeBackground(theme.get(), item.hDC, BP_PUSHBUTTON, state, &r, nullptr);
        return;
    }
    ::DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
}

}  // namespace

void DrawGlyphButton(const DRAWITEMSTRUCT& item, const GlyphStrip& strip, HFONT font) {
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFace(item, pushed, (item.itemState & ODS_HOTLIGHT) != 0);

    const int length = ::GetWindowTextLengthW(item.hwndItem);
    std::vector<wchar_t> caption(static_cast<size_t>(length) + 1);
    ::GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    ScopedSelect select(item.hDC, font);
    const SIZE text = MeasureText(item.hDC, std::wstring_view(caption.data(), length));

    GlyphLayout layout = LayOutGlyphAndCaption(item.rcItem, strip.imageSize(), text);
    if (pushed) {
        ::OffsetRect(&layout.text, 1, 1);
        ++layout.glyph.x;
        ++layout.glyph.y;
    }
    strip.Draw(item.hDC, disabled ? 1 : 0, layout.glyph.x, layout.glyph.y);
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    ::DrawTextW(item.hDC, caption.data(), length, &layout.text, DT_SINGLELINE | DT_LEFT | DT_TOP);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(item.hDC, &focus);
    }
}

}  // namespace quillfen
