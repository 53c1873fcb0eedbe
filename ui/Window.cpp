#include "ui/Window.h"

#include "logic/ClockTime.h"

namespace quillfen {

namespace {
ExceptionSink g_sink = nullptr;
}

void SetExceptionSink(ExceptionSink sink) noexcept { g_sink = sink; }

void ReportException(std::exception_ptr error) noexcept {
    if (!g_sink) return;
    try {
        g_sink(error);
    } catch (...) {
        // The error display itself failed; there is nothing left to tell the user with.
    }
}

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
    if (!::RegisterClassExW(&wc)) {
        throw Exception("ウィンドウクラスの作成でエラーが発生しました");
    }
}

Window::~Window() {
    if (hwnd_) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::DefWindowProcW));
        ::DestroyWindow(hwnd_);
    }
}

void Window::Create(const WindowClass& windowClass, DWORD exStyle, const wchar_t* title,
                    DWORD style, int x, int y, int width, int height, HWND parentOrOwner) {
    RegisterWindowClass(windowClass, &Window::Procedure);
    HWND hwnd = ::CreateWindowExW(exStyle, windowClass.name, title, style, x, y, width, height,
                                  parentOrOwner, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!hwnd) throw Exception("ウィンドウの作成でエラーが発生しました");
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
    const LRESULT result = Guarded(0, [&] { return self->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->Destroyed();
    }
    return result;
}

}  // namespace quillfen
