// The media as the platform sees them inside this executable: found by name, type and
// language, loaded by the platform's own readers, and the clip started with the right call.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "VoiceClip.h"

namespace {

namespace res = quillfen::resource;

HMODULE Self() { return GetModuleHandleW(nullptr); }

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::vector<unsigned char> Bytes(const wchar_t* type, const wchar_t* name, WORD language) {
    HRSRC found = FindResourceExW(Self(), type, name, language);
    if (!found) return {};
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(Self(), found)));
    return std::vector<unsigned char>(data, data + SizeofResource(Self(), found));
}

std::string Text(const std::vector<unsigned char>& b, std::size_t at, std::size_t n) {
    return b.size() < at + n ? "" : std::string(b.begin() + at, b.begin() + at + n);
}

struct ResourceCase {
    const char* label;
    const wchar_t* type;
    const wchar_t* name;
    WORD language;
    std::size_t size;
    std::size_t magicAt;
    const char* magic;
};

class Resource : public testing::TestWithParam<ResourceCase> {};

TEST_P(Resource, IsFoundWithItsLanguageAndSize) {
    const ResourceCase& c = GetParam();
    const auto bytes = Bytes(c.type, c.name, c.language);
    ASSERT_EQ(bytes.size(), c.size);
    EXPECT_EQ(Text(bytes, c.magicAt, std::strlen(c.magic)), c.magic);
}

INSTANTIATE_TEST_SUITE_P(
    All, Resource,
    testing::Values(
        ResourceCase{"NekoVoice", res::kWaveType, res::kNekoVoice, kJapanese, 11540, 8, "WAVE"},
        ResourceCase{"FormIcon", RT_RCDATA, res::kFormIcon, kJapanese, 766, 0, ""},
        ResourceCase{"Glyph", RT_RCDATA, res::kBitBtn1Glyph, kJapanese, 378, 4, "BM"},
        ResourceCase{"ImageList", RT_RCDATA, res::kImageList1, kJapanese, 4390, 0, "IL"},
        ResourceCase{"ProgramIcon", RT_RCDATA, res::kProgramIcon, kJapanese, 3268, 1, "TIcon"},
        ResourceCase{"IconImage", RT_ICON, MAKEINTRESOURCEW(1), kJapanese, 744, 0, "("},
        ResourceCase{"Manifest", RT_MANIFEST, MAKEINTRESOURCEW(res::kManifestId),
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), 581, 0, "<?xml"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MainIcon, GroupHoldsOne16ColourImageWithId1) {
    const auto g = Bytes(RT_GROUP_ICON, res::kMainIcon, kJapanese);
    ASSERT_EQ(g.size(), 6u + 14u);
    auto word = [&](std::size_t at) { return g[at] | g[at + 1] << 8; };
    EXPECT_EQ(word(2), 1);  // icon
    EXPECT_EQ(word(4), 1);  // one entry
    EXPECT_EQ(g[6], 32);
    EXPECT_EQ(g[7], 32);
    EXPECT_EQ(g[8], 16);
    EXPECT_EQ(word(10), 1);  // planes
    EXPECT_EQ(word(12), 4);  // bits
    EXPECT_EQ(word(14) | word(16) << 16, 744);
    EXPECT_EQ(word(18), 1);  // image id
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    BITMAP colour{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
    const SIZE size{colour.bmWidth, info.hbmColor ? colour.bmHeight : colour.bmHeight / 2};
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST(MainIcon, LoadsAt32By32) {
    auto icon = static_cast<HICON>(LoadImageW(Self(), res::kMainIcon, IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    const SIZE size = IconSize(icon);
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(size.cy, 32);
    DestroyIcon(icon);
}

// The stored icon files' images are accepted by the platform's icon reader.
struct StoredIcon {
    const char* label;
    const wchar_t* name;
    std::size_t image;  // offset of the image within the resource
};

class StoredIconImage : public testing::TestWithParam<StoredIcon> {};

TEST_P(StoredIconImage, MakesA32By32Icon) {
    auto bytes = Bytes(RT_RCDATA, GetParam().name, kJapanese);
    ASSERT_GT(bytes.size(), GetParam().image);
    HICON icon = CreateIconFromResourceEx(bytes.data() + GetParam().image,
                                          static_cast<DWORD>(bytes.size() - GetParam().image), TRUE,
                                          0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    const SIZE size = IconSize(icon);
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(size.cy, 32);
    DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(All, StoredIconImage,
                         testing::Values(StoredIcon{"FormIcon", res::kFormIcon, 22},
                                         StoredIcon{"ProgramIcon", res::kProgramIcon, 6 + 22}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
