#include "ui/win32/Clipboard.h"

#include <cstring>

#include "logic/Exception.h"
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

void CopyTextToClipboard(HWND owner, std::string_view text) {
    const WideString wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(g_calls.alloc(GMEM_MOVEABLE, bytes));
    void* target = memory ? g_calls.lock(memory.get()) : nullptr;
    if (!target) throw Exception("クリップボードにテキストを設定できません");
    std::memcpy(target, wide.c_str(), bytes);
    ::GlobalUnlock(memory.get());

    ClipboardLock clipboard(owner);
    if (!clipboard.isOpen()) throw Exception("クリップボードを開くことができません");
    ::EmptyClipboard();
    if (!g_calls.setData(CF_UNICODETEXT, memory.get())) {
        throw Exception("クリップボードにテキストを設定できません");
    }
    // The clipboard owns the memory now.
    memory.release();
}

}  // namespace quillfen
