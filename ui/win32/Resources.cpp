#include "ui/win32/Resources.h"

#include <cstdint>
#include <cstring>

namespace quillfen {

std::string_view ResourceBytes(const wchar_t* name, const wchar_t* type) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC info = ::FindResourceW(module, name, type);
    if (!info) return {};
    const HGLOBAL loaded = ::LoadResource(module, info);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    // Resource memory lives as long as the module; nothing to free.
    return {static_cast<const char*>(data), ::SizeofResource(module, info)};
}

IconHandle IconFromIconFile(std::string_view file) {
    constexpr std::size_t kDirectoryAndEntry = 6 + 16;
    if (file.size() < kDirectoryAndEntry) return {};
    std::uint32_t size = 0, offset = 0;
    std::memcpy(&size, file.data() + 14, 4);
    std::memcpy(&offset, file.data() + 18, 4);
    if (offset > file.size() || size > file.size() - offset) return {};
    auto* bits = reinterpret_cast<PBYTE>(const_cast<char*>(file.data() + offset));
    // Version 3 icon resource format; the image's own size (32 × 32) is used.
    return IconHandle(
        ::CreateIconFromResourceEx(bits, size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace quillfen
