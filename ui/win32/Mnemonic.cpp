#include "ui/win32/Mnemonic.h"

#include <windows.h>

namespace quillfen {

wchar_t MnemonicChar(std::wstring_view caption) noexcept {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

wchar_t UpperAscii(wchar_t c) noexcept {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

wchar_t UpperLocale(wchar_t c) noexcept {
    // CharUpperW converts a single character passed in the pointer's low word.
    const auto word = reinterpret_cast<UINT_PTR>(
        ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(static_cast<WORD>(c)))));
    return static_cast<wchar_t>(word & 0xFFFF);
}

}  // namespace quillfen
