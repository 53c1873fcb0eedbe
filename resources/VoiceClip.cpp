#include "VoiceClip.h"

#include <mmsystem.h>

#include "ResourceIds.h"
#include "SystemLibrary.h"

// The linker's symbol for the start of this module's image: its HINSTANCE.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quillfen {
namespace {

using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// winmm is loaded at the first sound, not at start-up: it brings the audio compression
// manager and COM with it, which would delay the first window. It stays loaded for the
// life of the process, since an asynchronous sound may still be playing at exit.
PlaySoundFunction LoadPlaySound() {
    return LibraryFunction<PlaySoundFunction>(LoadSystemLibrary(L"winmm.dll"), "PlaySoundW");
}

bool PlatformPlay(const wchar_t* sound, HMODULE module, DWORD flags) {
    static const PlaySoundFunction play = LoadPlaySound();
    return play && play(sound, module, flags) != FALSE;
}

SoundPlayer g_player = PlatformPlay;

}  // namespace

SoundPlayer SetSoundPlayer(SoundPlayer player) {
    const SoundPlayer previous = g_player;
    g_player = player ? player : PlatformPlay;
    return previous;
}

bool PlayVoiceClip() {
    // No SND_NODEFAULT: were the clip missing, the default sound still answers. No
    // SND_NOSTOP: a new start restarts the cry. No SND_LOOP.
    return g_player(resource::kNekoVoice, reinterpret_cast<HMODULE>(&__ImageBase),
                    SND_RESOURCE | SND_ASYNC);
}

bool StopSounds() { return g_player(nullptr, nullptr, 0); }

bool PlayEventSound(const wchar_t* alias) {
    return g_player(alias, nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace quillfen
