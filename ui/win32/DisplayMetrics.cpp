#include "ui/win32/DisplayMetrics.h"

#include "ui/win32/Handles.h"

namespace quillfen {

namespace {
DisplayMetricsOverride g_metrics;
}

void SetDisplayMetricsOverride(DisplayMetricsOverride metrics) noexcept { g_metrics = metrics; }

int ScreenPixelsPerInch() {
    if (g_metrics.pixelsPerInch) return g_metrics.pixelsPerInch;
    WindowDc screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int ZeroHeight(HFONT font) {
    if (g_metrics.textHeight) return g_metrics.textHeight;
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), L"0", 1, &size);
    return size.cy;
}

}  // namespace quillfen
