#include "ui/Resources.h"

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

}  // namespace quillfen
