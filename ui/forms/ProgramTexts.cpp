#include "ui/forms/ProgramTexts.h"

#include <string_view>

#include "logic/Exception.h"
#include "resources/StringIds.h"
#include "ui/win32/Text.h"

namespace quillfen {

std::string LoadText(UINT id) {
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) throw Exception("文字列リソースが見つかりません");
    return Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
}

// The failures' texts stand in the string table in the order of the codes.
static_assert(IDS_FAILURE_UNKNOWN - IDS_FAILURE_WINDOW_CLASS ==
              static_cast<int>(Failure::Unknown) - static_cast<int>(Failure::WindowClass));

std::string FailureWordsOfProgram(Failure failure) {
    return LoadText(IDS_FAILURE_WINDOW_CLASS + static_cast<UINT>(failure));
}

}  // namespace quillfen
