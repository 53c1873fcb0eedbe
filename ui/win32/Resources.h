// Read-only access to the program's own embedded resources.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/win32/Handles.h"

namespace quillfen {

// The bytes of a resource of the running module; empty when it is missing.
std::string_view ResourceBytes(const wchar_t* name, const wchar_t* type = RT_RCDATA);

// An icon made from an icon file holding one image (its first directory entry); null when
// the file is cut short.
IconHandle IconFromIconFile(std::string_view file);

}  // namespace quillfen
