// Loading a library of the system's own, for the parts of the program that load one at
// their first use rather than at start-up (the sounds' winmm, the accessibility
// libraries), and looking up the functions that only some systems have. Here, the lowest
// layer that does either, so that all can use it.
#pragma once

#include <windows.h>

namespace quillfen {

// Loads `name` (e.g. L"winmm.dll") from the system folder by full path, so that no file
// of that name beside the program is taken instead; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

// The function `name` of a loaded library, as the type F it has; null where the module is
// null or has no such function.
template <typename F>
F LibraryFunction(HMODULE module, const char* name) noexcept {
    if (!module) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace quillfen
