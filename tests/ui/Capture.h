// Pixels a window draws, read back for the pixel tests.
#pragma once

#include <windows.h>

#include "ui/win32/Handles.h"

namespace quillfen::testing {

// A 32-bit top-down image that a window prints its client area into.
class Capture {
public:
    Capture(int width, int height);
    HDC dc() const noexcept { return dc_.get(); }
    COLORREF Pixel(int x, int y) const;
    static Capture OfClient(HWND hwnd);

private:
    int width_, height_;
    BitmapHandle bitmap_;  // declared first: outlives the DC it is selected into
    MemoryDc dc_;
    DWORD* bits_ = nullptr;
};

}  // namespace quillfen::testing
