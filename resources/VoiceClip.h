// Sound output: the cat's cry and the desktop's event sounds, through one replaceable call.
#pragma once

#include <windows.h>

namespace quillfen {

// The platform call behind every sound the program makes: PlaySoundW's arguments and a
// success flag. Tests install their own to record requests or to simulate a failure.
using SoundPlayer = bool (*)(const wchar_t* sound, HMODULE module, DWORD flags);

// Installs `player` (nullptr restores the platform's) and returns the one it replaces.
SoundPlayer SetSoundPlayer(SoundPlayer player);

// Starts the embedded clip NEKOVOICE asynchronously, cutting off one still playing.
// Returns whether the platform accepted the request; shows nothing itself.
bool PlayVoiceClip();

// Stops any sound this program is playing.
bool StopSounds();

// Starts the desktop's event sound `alias` (e.g. L"MenuPopup") asynchronously; when the
// desktop has none for it, nothing plays.
bool PlayEventSound(const wchar_t* alias);

}  // namespace quillfen
