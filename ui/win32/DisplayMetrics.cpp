#include "ui/win32/DisplayMetrics.h"

#include "resources/SystemLibrary.h"
#include "ui/win32/Handles.h"

namespace quillfen {

namespace {

DisplayMetricsOverride g_metrics;

// Windows 10 functions, looked up so that the program still starts on Windows 7. The
// declarations in the headers are for the newer systems only.
using SetAwarenessContext = BOOL(WINAPI*)(HANDLE);
using DpiForWindow = UINT(WINAPI*)(HWND);
using MetricsForDpi = int(WINAPI*)(int, UINT);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using ScaleDownIcon = HRESULT(WINAPI*)(HINSTANCE, const wchar_t*, int, int, HICON*);

struct DensityFunctions {
    DpiForWindow dpiForWindow = nullptr;
    MetricsForDpi metricsForDpi = nullptr;
    AdjustForDpi adjustForDpi = nullptr;
};

const DensityFunctions& Functions() {
    static const DensityFunctions functions = [] {
        const HMODULE user = ::GetModuleHandleW(L"user32.dll");
        return DensityFunctions{LibraryFunction<DpiForWindow>(user, "GetDpiForWindow"),
                                LibraryFunction<MetricsForDpi>(user, "GetSystemMetricsForDpi"),
                                LibraryFunction<AdjustForDpi>(user, "AdjustWindowRectExForDpi")};
    }();
    return functions;
}

}  // namespace

void SetDisplayMetricsOverride(DisplayMetricsOverride metrics) noexcept { g_metrics = metrics; }

// Fixed for the process once its awareness is declared, so asked once.
int SystemPixelsPerInch() {
    static const int density = [] {
        WindowDc screen(nullptr);
        return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    }();
    return density;
}

int ScreenPixelsPerInch() {
    if (g_metrics.pixelsPerInch) return g_metrics.pixelsPerInch;
    return SystemPixelsPerInch();
}

int WindowPixelsPerInch(HWND window) {
    if (g_metrics.windowPixelsPerInch) return g_metrics.windowPixelsPerInch;
    if (g_metrics.pixelsPerInch) return g_metrics.pixelsPerInch;
    if (const DpiForWindow dpiForWindow = Functions().dpiForWindow) {
        if (const UINT dpi = dpiForWindow(window)) return static_cast<int>(dpi);
    }
    return SystemPixelsPerInch();
}

int ZeroHeight(HFONT font) {
    if (g_metrics.textHeight) return g_metrics.textHeight;
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), L"0", 1, &size);
    return size.cy;
}

void DeclareDensityAwareness() noexcept {
    const auto setContext = LibraryFunction<SetAwarenessContext>(::GetModuleHandleW(L"user32.dll"),
                                                        "SetProcessDpiAwarenessContext");
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2. Windows 10 before 1703 has the function
    // but not this context, and refuses it.
    if (setContext && setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
    ::SetProcessDPIAware();
}

int SystemMetricAt(int index, int pixelsPerInch) {
    const MetricsForDpi metricsForDpi = Functions().metricsForDpi;
    if (pixelsPerInch == SystemPixelsPerInch() || !metricsForDpi) return ::GetSystemMetrics(index);
    return metricsForDpi(index, static_cast<UINT>(pixelsPerInch));
}

SIZE FrameSizeAt(SIZE client, DWORD style, DWORD exStyle, int pixelsPerInch) {
    RECT frame{0, 0, client.cx, client.cy};
    const AdjustForDpi adjustForDpi = Functions().adjustForDpi;
    if (pixelsPerInch == SystemPixelsPerInch() || !adjustForDpi) {
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    } else {
        adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(pixelsPerInch));
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

IconHandle StandardIconAt(const wchar_t* name, int pixelsPerInch) {
    // Version 6 of the common controls (the one the manifest asks for) has it; this tool
    // chain's import library does not list it, so it is looked up.
    const HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    const auto scaleDown = LibraryFunction<ScaleDownIcon>(controls, "LoadIconWithScaleDown");
    const int size = SystemMetricAt(SM_CXICON, pixelsPerInch);
    HICON icon = nullptr;
    if (!scaleDown || FAILED(scaleDown(nullptr, name, size, size, &icon))) return {};
    return IconHandle(icon);
}

}  // namespace quillfen
