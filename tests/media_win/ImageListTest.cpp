// The command images through the platform's image-list stream reader, drawn as a menu would.
#include <windows.h>
// IStream first: commctrl.h declares the stream functions only when it is defined.
#include <objbase.h>
//
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "ResourceIds.h"

namespace {

namespace res = quillfen::resource;

HIMAGELIST ReadImageList() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(self, RT_RCDATA, res::kImageList1, res::kLanguage);
    if (!found) return nullptr;
    const DWORD size = SizeofResource(self, found);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), LockResource(LoadResource(self, found)), size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) return nullptr;
    HIMAGELIST list = ImageList_Read(stream);
    stream->Release();
    return list;
}

TEST(ImageList, ReadsThreeImagesOf16By16) {
    HIMAGELIST list = ReadImageList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    ImageList_Destroy(list);
}

// Each image drawn over white: its mask leaves the background showing at a known empty
// pixel, and a colour of its picture appears.
struct DrawCase {
    int index;
    POINT background;
    COLORREF shown;  // 0xRRGGBB
};

class ImageListDraw : public testing::TestWithParam<DrawCase> {};

TEST_P(ImageListDraw, ShowsThePictureAndLeavesTheBackground) {
    HIMAGELIST list = ReadImageList();
    ASSERT_NE(list, nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(target, nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < 256; ++i) pixels[i] = 0xFFFFFF;
    ASSERT_TRUE(ImageList_Draw(list, GetParam().index, dc, 0, 0, ILD_NORMAL));
    GdiFlush();
    const POINT bg = GetParam().background;
    EXPECT_EQ(pixels[bg.y * 16 + bg.x] & 0xFFFFFF, 0xFFFFFFu);
    int shown = 0;
    for (int i = 0; i < 256; ++i) shown += (pixels[i] & 0xFFFFFF) == GetParam().shown;
    EXPECT_GT(shown, 0);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ImageList_Destroy(list);
}

INSTANTIATE_TEST_SUITE_P(Images, ImageListDraw,
                         testing::Values(DrawCase{0, {15, 0}, 0x000080},   // copy: navy sheet
                                         DrawCase{1, {0, 0}, 0x00FFFF},    // exit: light
                                         DrawCase{2, {0, 0}, 0xFF0000}));  // about: red mark

}  // namespace
