#include "MenuTestSupport.h"

#include <gtest/gtest.h>

#include <deque>

#include "GuiTestSupport.h"
#include "resources/VoiceClip.h"

namespace quillfen::testing {

namespace {

struct SoundState {
    std::vector<std::wstring> calls;
    std::vector<DWORD> flags;
    std::deque<std::function<void()>> onDropDown;
    std::function<void()> onCommand;
};
SoundState g_sounds;
SoundPlayer g_previousPlayer = nullptr;

bool RecordSound(const wchar_t* sound, HMODULE, DWORD flags) {
    const std::wstring name = sound ? sound : L"stop";
    g_sounds.calls.push_back(name);
    g_sounds.flags.push_back(flags);
    if (name == L"MenuPopup" && !g_sounds.onDropDown.empty()) {
        RunSoon(std::move(g_sounds.onDropDown.front()));
        g_sounds.onDropDown.pop_front();
    }
    if (name == L"MenuCommand" && g_sounds.onCommand) {
        const std::function<void()> step = std::move(g_sounds.onCommand);
        g_sounds.onCommand = nullptr;
        step();
    }
    return true;
}

LPARAM KeyData(WORD vk, bool up) {
    LPARAM l = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16);
    if (up) l |= (1u << 30) | (1u << 31);
    return l;
}

// The clipboard may be held for a moment by another program.
using testsupport::OpenClipboardSoon;

BOOL CALLBACK FindDropDown(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) == L"#32768" && ::IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

SoundLog::SoundLog() {
    g_sounds = {};
    g_previousPlayer = SetSoundPlayer(&RecordSound);
}

SoundLog::~SoundLog() {
    SetSoundPlayer(g_previousPlayer);
    g_sounds = {};
}

std::vector<std::wstring> SoundLog::Calls() const { return g_sounds.calls; }
std::vector<DWORD> SoundLog::Flags() const { return g_sounds.flags; }
void SoundLog::Clear() {
    g_sounds.calls.clear();
    g_sounds.flags.clear();
}
void SoundLog::OnDropDown(std::function<void()> step) {
    g_sounds.onDropDown.push_back(std::move(step));
}
void SoundLog::OnCommandSound(std::function<void()> step) { g_sounds.onCommand = std::move(step); }

void PostKey(WORD vk) {
    const HWND target = ::GetFocus();
    ::PostMessageW(target, WM_KEYDOWN, vk, KeyData(vk, false));
    ::PostMessageW(target, WM_KEYUP, vk, KeyData(vk, true));
}

void PostChar(wchar_t ch) { ::PostMessageW(::GetFocus(), WM_CHAR, ch, 1); }

int HighlightedItem(HMENU menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

std::string ClipboardAnsiText() {
    if (!OpenClipboardSoon()) return "<clipboard busy>";
    std::string text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboardSoon());
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    memcpy(::GlobalLock(memory.get()), text.c_str(), bytes);
    ::GlobalUnlock(memory.get());
    if (::SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
    ::CloseClipboard();
}

Capture::Capture(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<DWORD*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    ::SelectObject(dc_.get(), bitmap_.get());
}

COLORREF Capture::Pixel(int x, int y) const {
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

Capture Capture::OfClient(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    Capture capture(r.right, r.bottom);
    ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(capture.dc()), PRF_CLIENT);
    return capture;
}

HWND OpenDropDownWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDropDown, reinterpret_cast<LPARAM>(&found));
    if (!found) ::EnumWindows(&FindDropDown, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace quillfen::testing
