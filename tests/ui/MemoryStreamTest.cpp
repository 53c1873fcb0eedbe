// The read-only stream that hands embedded bytes to the image-list reader.
#include <gtest/gtest.h>

#include <string>

#include "ResourceIds.h"
#include "logic/ClockTime.h"
#include "ui/win32/ImageList.h"
#include "ui/win32/MemoryStream.h"
#include "ui/win32/Resources.h"

namespace {

using quillfen::MemoryStream;

LARGE_INTEGER Offset(LONGLONG v) {
    LARGE_INTEGER l;
    l.QuadPart = v;
    return l;
}

struct SeekCase {
    LONGLONG move;
    DWORD origin;
    HRESULT result;
    ULONGLONG position;  // where the next read starts (checked when the seek succeeds)
    std::string next;    // the next two bytes read from there
};

class MemoryStreamSeek : public testing::TestWithParam<SeekCase> {};

TEST_P(MemoryStreamSeek, MovesFromTheGivenOrigin) {
    const SeekCase& c = GetParam();
    MemoryStream stream("abcdef");
    char skip[2];
    ASSERT_EQ(stream.Read(skip, 2, nullptr), S_OK);  // current position 2
    ULARGE_INTEGER at{};
    ASSERT_EQ(stream.Seek(Offset(c.move), c.origin, &at), c.result);
    if (FAILED(c.result)) return;
    EXPECT_EQ(at.QuadPart, c.position);
    char two[2] = {};
    ULONG read = 0;
    stream.Read(two, 2, &read);
    EXPECT_EQ(std::string(two, read), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Origins, MemoryStreamSeek,
    testing::Values(SeekCase{1, STREAM_SEEK_SET, S_OK, 1, "bc"},
                    SeekCase{1, STREAM_SEEK_CUR, S_OK, 3, "de"},
                    SeekCase{-2, STREAM_SEEK_END, S_OK, 4, "ef"},
                    SeekCase{9, STREAM_SEEK_SET, S_OK, 9, ""},  // past the end reads nothing
                    SeekCase{-3, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION, 0, ""},
                    SeekCase{0, 7, STG_E_INVALIDFUNCTION, 0, ""}));

TEST(MemoryStream, ShortReadIsSFalseWithTheBytesThereWere) {
    MemoryStream stream("abc");
    char buffer[8] = {};
    ULONG read = 0;
    EXPECT_EQ(stream.Read(buffer, 2, &read), S_OK);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(stream.Read(buffer, 8, &read), S_FALSE);
    EXPECT_EQ(read, 1u);
    EXPECT_EQ(buffer[0], 'c');
    EXPECT_EQ(stream.Read(buffer, 8, &read), S_FALSE);
    EXPECT_EQ(read, 0u);
}

TEST(MemoryStream, AnswersAsAStreamAndReportsItsSize) {
    MemoryStream stream("abcdef");
    void* object = nullptr;
    EXPECT_EQ(stream.QueryInterface(__uuidof(IStream), &object), S_OK);
    EXPECT_EQ(object, static_cast<IStream*>(&stream));
    EXPECT_EQ(stream.QueryInterface(__uuidof(IStorage), &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    STATSTG stat{};
    ASSERT_EQ(stream.Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 6u);
    EXPECT_EQ(stat.type, DWORD{STGTY_STREAM});
    EXPECT_EQ(stream.Write("x", 1, nullptr), STG_E_ACCESSDENIED);
}

// The image-list reader sees the embedded stream whole, and one cut inside its header
// as an error (Wine accepts some streams cut later, inside the bitmaps).
TEST(MemoryStream, FeedsTheImageListReader) {
    const std::string_view bytes = quillfen::ResourceBytes(quillfen::resource::kImageList1);
    ASSERT_FALSE(bytes.empty());
    const quillfen::ImageListHandle list = quillfen::ReadImageList(bytes);
    EXPECT_EQ(::ImageList_GetImageCount(list.get()), 3);
    EXPECT_FALSE(quillfen::ReadImageList(bytes.substr(0, 20)));
}

}  // namespace
