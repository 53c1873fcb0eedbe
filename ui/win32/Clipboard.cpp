#include "ui/win32/Clipboard.h"

#include <cstring>

#include "ui/win32/Handles.h"
#include "ui/win32/Text.h"

namespace quillfen {

namespace {
ClipboardCalls g_calls = SystemClipboardCalls();
}

ClipboardCalls SystemClipboardCalls() noexcept {
    return {&::GlobalAlloc, &::GlobalLock, &::SetClipboardData};
}

ClipboardCalls SetClipboardCalls(ClipboardCalls calls) noexcept {
    const ClipboardCalls previous = g_calls;
    g_calls = calls;
    return previous;
}

ClipboardResult CopyTextToClipboard(HWND owner, std::string_view text) {
    const WideString wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(g_calls.alloc(GMEM_MOVEABLE, bytes));
    void* target = memory ? g_calls.lock(memory.get()) : nullptr;
    if (!target) return ClipboardResult::NotPlaced;
    std::memcpy(target, wide.c_str(), bytes);
    ::GlobalUnlock(memory.get());

    ClipboardLock clipboard(owner);
    if (!clipboard.isOpen()) return ClipboardResult::NotOpened;
    ::EmptyClipboard();
    if (!g_calls.setData(CF_UNICODETEXT, memory.get())) return ClipboardResult::NotPlaced;
    // The clipboard owns the memory now.
    memory.release();
    return ClipboardResult::Copied;
}

}  // namespace quillfen
