// Loading a library of the system's own, for the parts of the program that load one at
// their first use rather than at start-up (the sounds' winmm, the accessibility
// libraries). Here, the lowest layer that loads one, so that both can use it.
#pragma once

#include <windows.h>

namespace quillfen {

// Loads `name` (e.g. L"winmm.dll") from the system folder by full path, so that no file
// of that name beside the program is taken instead; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

}  // namespace quillfen
