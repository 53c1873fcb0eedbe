#include "ui/framework/Window.h"

#include <utility>

#include "ui/framework/Failure.h"

namespace quillfen {

void RegisterWindowClass(const WindowClass& windowClass, WNDPROC procedure) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, windowClass.name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = windowClass.icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    if (!::RegisterClassExW(&wc)) ThrowFailure(Failure::WindowClass);
}

// A window whose owner did not destroy it first (see DestroyWindowFirst). Its last
// messages still pass through every subclass, so each removes itself.
Window::~Window() { Destroy(); }

void Window::Destroy() noexcept {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void Window::Create(const WindowClass& windowClass, DWORD exStyle, const wchar_t* title,
                    DWORD style, int x, int y, int width, int height, HWND parentOrOwner) {
    RegisterWindowClass(windowClass, &Window::Procedure);
    creationError_ = nullptr;
    HWND hwnd = ::CreateWindowExW(exStyle, windowClass.name, title, style, x, y, width, height,
                                  parentOrOwner, nullptr, ::GetModuleHandleW(nullptr), this);
    // A handler that failed during creation is reported once, by the caller of Create.
    if (creationError_) std::rethrow_exception(std::exchange(creationError_, nullptr));
    if (!hwnd) ThrowFailure(Failure::Window);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (message == WM_NCCREATE || message == WM_CREATE) {
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            self->creationError_ = std::current_exception();
            result = message == WM_CREATE ? -1 : FALSE;
        }
    } else {
        result = Guarded(0, [&] { return self->HandleMessage(message, wParam, lParam); });
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->Destroyed();
    }
    return result;
}

}  // namespace quillfen
