// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace quillfen {

// The calls that can fail once the text is being placed; tests make each fail in turn.
struct ClipboardCalls {
    HGLOBAL(WINAPI* alloc)(UINT flags, SIZE_T bytes);
    LPVOID(WINAPI* lock)(HGLOBAL memory);
    HANDLE(WINAPI* setData)(UINT format, HANDLE data);
};
// Installs calls and returns the ones they replace.
ClipboardCalls SetClipboardCalls(ClipboardCalls calls) noexcept;
ClipboardCalls SystemClipboardCalls() noexcept;

enum class ClipboardResult { Copied, NotOpened, NotPlaced };

// Replaces the clipboard's content with the text as CF_UNICODETEXT. The text is made ready
// before the clipboard is emptied, so running out of memory leaves the old content there.
[[nodiscard]] ClipboardResult CopyTextToClipboard(HWND owner, std::string_view text);

}  // namespace quillfen
