// Names of the resources compiled from Quillfen2b.rc, for finding them at run time.
#pragma once

namespace quillfen::resource {

// Every named resource is Japanese (Japan), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT).
inline constexpr unsigned short kLanguage = 0x0411;

inline constexpr wchar_t kNekoVoice[] = L"NEKOVOICE";  // the cat's cry, RIFF WAVE
inline constexpr wchar_t kWaveType[] = L"WAVE";        // its resource type
inline constexpr wchar_t kMainIcon[] = L"MAINICON";    // application icon (icon group)
// RCDATA resources: the pictures that the window descriptions carry.
inline constexpr wchar_t kFormIcon[] = L"FORMICON";          // 766-byte .ico, caption icon
inline constexpr wchar_t kBitBtn1Glyph[] = L"BITBTN1GLYPH";  // length + 374-byte BMP strip
inline constexpr wchar_t kImageList1[] = L"IMAGELIST1";      // image-list stream
inline constexpr wchar_t kProgramIcon[] = L"PROGRAMICON";    // "TIcon" + 3,262-byte .ico

// The manifest is resource 1 of type RT_MANIFEST, language neutral.
inline constexpr int kManifestId = 1;

}  // namespace quillfen::resource
