#include "Capture.h"

namespace quillfen::testing {

Capture::Capture(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<DWORD*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    ::SelectObject(dc_.get(), bitmap_.get());
}

COLORREF Capture::Pixel(int x, int y) const {
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

Capture Capture::OfClient(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    Capture capture(r.right, r.bottom);
    ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(capture.dc()), PRF_CLIENT);
    return capture;
}

}  // namespace quillfen::testing
