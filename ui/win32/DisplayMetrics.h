// The screen density and the measured text height that forms and pictures scale by, with
// an override for tests of the scaling; the density of each window, and the system's
// metrics at a density, looked up at run time where the system has them.
#pragma once

#include <windows.h>

#include "ui/win32/Handles.h"

namespace quillfen {

struct DisplayMetricsOverride {
    int pixelsPerInch = 0;        // 0: ask the screen (and each window its monitor)
    int textHeight = 0;           // 0: measure "0" in the form font
    int windowPixelsPerInch = 0;  // each window's monitor's; 0: as pixelsPerInch
};
void SetDisplayMetricsOverride(DisplayMetricsOverride metrics) noexcept;

// Sent to a top-level window before WM_DPICHANGED (Windows 10 1703 on), which the headers
// declare only for programs that require that system.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The screen density (or the overriding one).
int ScreenPixelsPerInch();
// The density the system's own metrics are given for (the screen's at sign-in), never
// overridden.
int SystemPixelsPerInch();
// The density of the monitor the window is on (or the overriding one); the screen's on
// systems that know only one.
int WindowPixelsPerInch(HWND window);
// The height of "0" in the font (or the overriding one).
int ZeroHeight(HFONT font);

// Each window takes the density of its monitor (per-monitor awareness, version 2) where
// the system offers that, else the screen's for all (system awareness).
void DeclareDensityAwareness() noexcept;

// GetSystemMetrics at a density: the system's own value at its density.
int SystemMetricAt(int index, int pixelsPerInch);
// The window size a client area takes with the frame drawn at the density.
SIZE FrameSizeAt(SIZE client, DWORD style, DWORD exStyle, int pixelsPerInch);
// A standard icon (IDI_WARNING, ...) at the icon size of the density, scaled down by the
// system from a larger image; null where the system has no such scaling.
IconHandle StandardIconAt(const wchar_t* name, int pixelsPerInch);

}  // namespace quillfen
