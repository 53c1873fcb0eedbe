// A C++ object behind each window the program registers: bound at WM_NCCREATE and
// reached through GWLP_USERDATA, so no global list of windows is needed.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <utility>

#include "ui/win32/ErrorBoundary.h"

namespace quillfen {

struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    HICON icon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

// Registers the class once per process with the given procedure; throws on failure.
void RegisterWindowClass(const WindowClass& windowClass, WNDPROC procedure);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const noexcept { return hwnd_; }
    // Destroys the window now; its owner does, through WindowPtr.
    void Destroy() noexcept;

protected:
    // Creates the window of a registered class with this object bound to it.
    void Create(const WindowClass& windowClass, DWORD exStyle, const wchar_t* title, DWORD style,
                int x, int y, int width, int height, HWND parentOrOwner);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    // Called once the window is gone (after WM_NCDESTROY).
    virtual void Destroyed() {}

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    // What failed while the window was being created, for Create to pass on.
    std::exception_ptr creationError_;
};

// Owns a window object and destroys its window before the object. The window's last
// messages (WM_DESTROY, each subclass removing itself, WM_NCDESTROY) still reach the
// derived handlers and the members they use, so they must come while the whole object is
// there: once a derived destructor has run, ~Window can hand them only to Window's own
// handling. So no derived class destroys its own window; whoever owns the object does.
struct DestroyWindowFirst {
    void operator()(Window* window) const noexcept {
        const std::unique_ptr<Window> owned(window);
        if (owned) owned->Destroy();
    }
};

template <typename T>
using WindowPtr = std::unique_ptr<T, DestroyWindowFirst>;

template <typename T, typename... Args>
WindowPtr<T> MakeWindow(Args&&... args) {
    return WindowPtr<T>(std::make_unique<T>(std::forward<Args>(args)...).release());
}

}  // namespace quillfen
