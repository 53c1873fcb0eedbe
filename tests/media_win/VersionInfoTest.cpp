// The version resource, as file properties show it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> OwnVersionInfo() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<unsigned char> block(GetFileVersionInfoSizeW(path, &ignored));
    if (block.empty() ||
        !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()))
        return {};
    return block;
}

std::wstring Value(std::vector<unsigned char>& block, const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &text, &length)) return L"";
    return static_cast<const wchar_t*>(text);
}

TEST(VersionInfo, NamesTheProductAndVersionInJapanese) {
    auto block = OwnVersionInfo();
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(Value(block, L"ProductName"), L"Quillfen");
    EXPECT_EQ(Value(block, L"FileVersion"), L"2.03b");
    EXPECT_EQ(Value(block, L"ProductVersion"), L"2.03b");
    EXPECT_EQ(Value(block, L"FileDescription"), L"列車の所要時間計算");

    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020003u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

}  // namespace
