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

int HighlightedItem(HMENU menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

HWND OpenDropDownWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDropDown, reinterpret_cast<LPARAM>(&found));
    if (!found) ::EnumWindows(&FindDropDown, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace quillfen::testing
