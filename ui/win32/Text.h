// UTF-8 inside, UTF-16 at the Win32 boundary.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace quillfen {

// Allocates like std::allocator. A string type of its own is instantiated with only the
// members the program uses, where std::wstring would link the runtime's complete
// explicit instantiation (some 35 KB of the executable).
template <typename T>
struct WideAllocator {
    using value_type = T;
    WideAllocator() = default;
    template <typename U>
    WideAllocator(const WideAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return std::allocator<T>().allocate(n); }
    void deallocate(T* p, std::size_t n) noexcept { std::allocator<T>().deallocate(p, n); }
    friend bool operator==(WideAllocator, WideAllocator) noexcept { return true; }
    friend bool operator!=(WideAllocator, WideAllocator) noexcept { return false; }
};

// UTF-16 text for the W functions at the platform boundary.
using WideString = std::basic_string<wchar_t, std::char_traits<wchar_t>, WideAllocator<wchar_t>>;

WideString Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

std::string GetWindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

}  // namespace quillfen
