// Move-only owners for Win32 handles, COM references and COM strings: every one the
// program creates has exactly one.
#pragma once

#include <windows.h>
// The stream interface before the common controls: their image-list reader is declared
// only with it.
#include <objidl.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <utility>

namespace quillfen {

template <typename Traits>
class Handle {
public:
    using Type = typename Traits::Type;

    Handle() noexcept = default;
    explicit Handle(Type h) noexcept : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, Type{})) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, Type{}));
        return *this;
    }
    ~Handle() { reset(); }

    Type get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Type{}; }
    Type release() noexcept { return std::exchange(h_, Type{}); }
    void reset(Type h = Type{}) noexcept {
        if (h_ != Type{}) Traits::Close(h_);
        h_ = h;
    }

private:
    Type h_{};
};

// The traits of a handle type closed by one function.
template <typename T, auto Closer>
struct ClosedBy {
    using Type = T;
    static void Close(T h) noexcept { Closer(h); }
};

using FontHandle = Handle<ClosedBy<HFONT, ::DeleteObject>>;
using BrushHandle = Handle<ClosedBy<HBRUSH, ::DeleteObject>>;
using BitmapHandle = Handle<ClosedBy<HBITMAP, ::DeleteObject>>;
using IconHandle = Handle<ClosedBy<HICON, ::DestroyIcon>>;
using WindowHandle = Handle<ClosedBy<HWND, ::DestroyWindow>>;
using GlobalMemory = Handle<ClosedBy<HGLOBAL, ::GlobalFree>>;
using MemoryDc = Handle<ClosedBy<HDC, ::DeleteDC>>;
using MenuHandle = Handle<ClosedBy<HMENU, ::DestroyMenu>>;
using HookHandle = Handle<ClosedBy<HHOOK, ::UnhookWindowsHookEx>>;
using ImageListHandle = Handle<ClosedBy<HIMAGELIST, ::ImageList_Destroy>>;
using ThemeHandle = Handle<ClosedBy<HTHEME, ::CloseThemeData>>;

// A device context borrowed from a window, its client area or the whole window with its
// frame; released to that window.
class WindowDc {
public:
    enum Area { Client, WholeWindow };
    explicit WindowDc(HWND hwnd, Area area = Client) noexcept
        : hwnd_(hwnd), dc_(area == Client ? ::GetDC(hwnd) : ::GetWindowDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT; a paint that BeginPaint refused (no DC) is not
// ended.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() {
        if (dc_) ::EndPaint(hwnd_, &ps_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects a GDI object into a DC for one scope and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { ::SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The clipboard is open for one scope at most.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    ~ClipboardLock() {
        if (open_) ::CloseClipboard();
    }
    bool isOpen() const noexcept { return open_; }

private:
    bool open_;
};

// Owns one reference to a COM object.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller holds.
    explicit ComPtr(T* p) noexcept : p_(p) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    T** put() noexcept {
        reset();
        return &p_;
    }
    void reset(T* p = nullptr) noexcept {
        if (p_) p_->Release();
        p_ = p;
    }

private:
    T* p_ = nullptr;
};

// Frees a string through oleaut32, which the accessibility code loads at its first
// question (Accessibility.cpp); nothing where the system has none.
void FreeBstr(BSTR text) noexcept;

// Owns a string made by MakeBstr that no client takes over.
class BstrHandle {
public:
    explicit BstrHandle(BSTR text) noexcept : text_(text) {}
    BstrHandle(const BstrHandle&) = delete;
    BstrHandle& operator=(const BstrHandle&) = delete;
    ~BstrHandle() {
        if (text_) FreeBstr(text_);
    }
    BSTR get() const noexcept { return text_; }

private:
    BSTR text_;
};

}  // namespace quillfen
