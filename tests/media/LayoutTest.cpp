// Every header field of every media file, at its offset, against the storage formats the
// platform's readers expect.
#include <string>
#include <vector>

#include "MediaBytes.h"

namespace media_test {
namespace {

struct Field {
    std::size_t offset;
    int size;             // bytes; 0 for a text field
    std::uint32_t value;  // little-endian number
    std::string text = "";
};

Field Text(std::size_t offset, std::string text) { return {offset, 0, 0, std::move(text)}; }

struct FileLayout {
    std::string name;
    std::size_t size;
    std::vector<Field> fields;
};

std::ostream& operator<<(std::ostream& os, const FileLayout& f) { return os << f.name; }

constexpr std::uint32_t kStandard[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// RGBQUADs read as little-endian numbers come out as 0x00RRGGBB.
void AddPalette(std::vector<Field>& fields, std::size_t offset, const std::uint32_t* rgb, int n) {
    for (int i = 0; i < n; ++i)
        fields.push_back({offset + 4u * static_cast<unsigned>(i), 4, rgb[i]});
}

// BITMAPINFOHEADER: size 40, BI_RGB.
void AddInfoHeader(std::vector<Field>& fields, std::size_t at, std::uint32_t width,
                   std::uint32_t height, std::uint32_t bpp, std::uint32_t imageSize,
                   std::uint32_t ppm, std::uint32_t used) {
    fields.insert(fields.end(), {{at, 4, 40},
                                 {at + 4, 4, width},
                                 {at + 8, 4, height},
                                 {at + 12, 2, 1},
                                 {at + 14, 2, bpp},
                                 {at + 16, 4, 0},
                                 {at + 20, 4, imageSize},
                                 {at + 24, 4, ppm},
                                 {at + 28, 4, ppm},
                                 {at + 32, 4, used}});
}

// ICONDIR with one ICONDIRENTRY.
void AddIconDir(std::vector<Field>& fields, std::size_t at, std::uint32_t colours,
                std::uint32_t planes, std::uint32_t bits, std::uint32_t bytes) {
    fields.insert(fields.end(), {{at, 2, 0},
                                 {at + 2, 2, 1},
                                 {at + 4, 2, 1},
                                 {at + 6, 1, 32},
                                 {at + 7, 1, 32},
                                 {at + 8, 1, colours},
                                 {at + 9, 1, 0},
                                 {at + 10, 2, planes},
                                 {at + 12, 2, bits},
                                 {at + 14, 4, bytes},
                                 {at + 18, 4, 22}});
}

FileLayout Wave() {
    return {"NekoVoice.wav",
            11540,
            {Text(0, "RIFF"),
             {4, 4, 11532},
             Text(8, "WAVE"),
             Text(12, "fmt "),
             {16, 4, 16},
             {20, 2, 1},
             {22, 2, 1},
             {24, 4, 22050},
             {28, 4, 22050},
             {32, 2, 1},
             {34, 2, 8},
             Text(36, "fact"),
             {40, 4, 4},
             {44, 4, 11483},
             Text(48, "data"),
             {52, 4, 11483},
             {11539, 1, 0}}};
}

FileLayout Icon16(const std::string& name, std::uint32_t planes, std::uint32_t bits) {
    FileLayout f{name, 766, {}};
    AddIconDir(f.fields, 0, 16, planes, bits, 744);
    AddInfoHeader(f.fields, 22, 32, 64, 4, 640, 0, 0);
    AddPalette(f.fields, 62, kStandard, 16);
    return f;
}

FileLayout Glyph() {
    FileLayout f{"BitBtn1Glyph.bin",
                 378,
                 {{0, 4, 374}, Text(4, "BM"), {6, 4, 374}, {10, 4, 0}, {14, 4, 118}}};
    AddInfoHeader(f.fields, 18, 32, 16, 4, 256, 2834, 16);
    std::uint32_t palette[16];
    std::copy(std::begin(kStandard), std::end(kStandard), palette);
    palette[7] = 0x7F7F7F;
    palette[8] = 0xBFBFBF;
    AddPalette(f.fields, 58, palette, 16);
    return f;
}

FileLayout ImageList() {
    FileLayout f{"ImageList1.bin",
                 4390,
                 {Text(0, "IL"),
                  {2, 2, 0x0101},
                  {4, 2, 3},
                  {6, 2, 4},
                  {8, 2, 4},
                  {10, 2, 16},
                  {12, 2, 16},
                  {14, 4, 0xFFFFFFFF},
                  {18, 2, 0x10FF},
                  {20, 2, 0xFFFF},
                  {22, 2, 0xFFFF},
                  {24, 2, 0xFFFF},
                  {26, 2, 0xFFFF},
                  // colour bitmap: the file header's size field counts the headers only
                  Text(28, "BM"),
                  {30, 4, 54},
                  {34, 4, 0},
                  {38, 4, 54},
                  // mask bitmap
                  Text(4178, "BM"),
                  {4180, 4, 62},
                  {4184, 4, 0},
                  {4188, 4, 62}}};
    AddInfoHeader(f.fields, 42, 64, 16, 32, 4096, 0, 0);
    AddInfoHeader(f.fields, 4192, 64, 16, 1, 128, 0, 0);
    const std::uint32_t blackWhite[] = {0x000000, 0xFFFFFF};
    AddPalette(f.fields, 4232, blackWhite, 2);
    for (std::size_t at = 4368; at < 4390; ++at) f.fields.push_back({at, 1, 0});  // trailer
    return f;
}

FileLayout ProgramIcon() {
    FileLayout f{"ProgramIcon.bin", 1 + 5 + 3262, {{0, 1, 5}, Text(1, "TIcon")}};
    AddIconDir(f.fields, 6, 0, 1, 24, 3240);
    AddInfoHeader(f.fields, 28, 32, 64, 24, 3072, 0, 0);
    return f;
}

class MediaLayout : public testing::TestWithParam<FileLayout> {};

TEST_P(MediaLayout, HasExactSizeAndEveryField) {
    const FileLayout& layout = GetParam();
    const Bytes bytes = LoadMedia(layout.name);
    ASSERT_EQ(bytes.size(), layout.size);
    for (const Field& f : layout.fields) {
        SCOPED_TRACE("offset " + std::to_string(f.offset));
        if (!f.text.empty())
            EXPECT_EQ(
                std::string(bytes.begin() + static_cast<std::ptrdiff_t>(f.offset),
                            bytes.begin() + static_cast<std::ptrdiff_t>(f.offset + f.text.size())),
                f.text);
        else
            EXPECT_EQ(Le(bytes, f.offset, f.size), f.value);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFiles, MediaLayout,
                         testing::Values(Wave(), Icon16("MainIcon.ico", 1, 4),
                                         Icon16("FormIcon.ico", 0, 0), Glyph(), ImageList(),
                                         ProgramIcon(), FileLayout{"Quillfen2b.manifest", 581, {}}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace media_test
