// A C++ object behind each window the program registers: bound at WM_NCCREATE and
// reached through GWLP_USERDATA, so no global list of windows is needed.
#pragma once

#include <windows.h>

#include <exception>

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
    // Destroys the window now, while the object is whole: a derived class whose members
    // its window uses calls this first in its destructor.
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

}  // namespace quillfen
