// A C++ object behind each window the program registers: bound at WM_NCCREATE and
// reached through GWLP_USERDATA, so no global list of windows is needed.
#pragma once

#include <windows.h>

#include <exception>
#include <utility>

namespace quillfen {

// Where an exception that escaped a message handler goes (the application's error display).
using ExceptionSink = void (*)(std::exception_ptr);
void SetExceptionSink(ExceptionSink sink) noexcept;
void ReportException(std::exception_ptr error) noexcept;

// Runs a handler so that no C++ exception crosses a window procedure.
template <typename F>
LRESULT Guarded(LRESULT fallback, F&& handler) noexcept {
    try {
        return std::forward<F>(handler)();
    } catch (...) {
        ReportException(std::current_exception());
        return fallback;
    }
}

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
};

}  // namespace quillfen
