// Captions with "&" marking the mnemonic letter ("&&" stands for "&" itself).
#pragma once

#include <string>
#include <string_view>

namespace quillfen {

// The character after the first single "&"; 0 when there is none. Not case-folded: the
// window's own mnemonics fold by the locale, the menu's by ASCII only.
wchar_t MnemonicChar(std::wstring_view caption) noexcept;
wchar_t UpperAscii(wchar_t c) noexcept;
wchar_t UpperLocale(wchar_t c) noexcept;

// The caption as it reads: markers dropped, "&&" shown as "&".
template <typename String>
String WithoutMnemonic(std::basic_string_view<typename String::value_type> caption) {
    String out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (++i == caption.size()) break;
        }
        out += caption[i];
    }
    return out;
}

}  // namespace quillfen
