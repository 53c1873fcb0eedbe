// UTF-8 inside, UTF-16 at the Win32 boundary.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillfen {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

std::string GetWindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

// Puts text on the clipboard as CF_UNICODETEXT; false when the clipboard cannot be opened.
bool CopyTextToClipboard(HWND owner, std::string_view text);

}  // namespace quillfen
