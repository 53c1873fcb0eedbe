#include "MediaFiles.h"

#include <stdexcept>
#include <string_view>

#include "Artwork.h"
#include "Bitmaps.h"
#include "Voice.h"

namespace mediagen {
namespace {

constexpr int kPixelsPerMetre = 2834;  // 72 dots per inch

Bytes Check(Bytes bytes, std::size_t size, std::string_view what) {
    if (bytes.size() != size)
        throw std::logic_error(std::string(what) + ": " + std::to_string(bytes.size()) +
                               " bytes instead of " + std::to_string(size));
    return bytes;
}

Canvas Checked(Canvas c, int transparent, std::string_view what) {
    if (c.TransparentCount() != transparent)
        throw std::logic_error(std::string(what) + ": " + std::to_string(c.TransparentCount()) +
                               " transparent pixels instead of " + std::to_string(transparent));
    return c;
}

}  // namespace

Bytes MainIconImage() {
    const Canvas train = Checked(DrawTrainFront(), 325, "train icon");
    const Bytes pixels = PackIndexed4(train, StandardPalette());
    const Bytes mask = PackMask1(train);
    ByteBuffer out;
    // Icon images state twice the height: the colour half and the mask half.
    WriteInfoHeader(out, {32, 64, 4, static_cast<std::uint32_t>(pixels.size() + mask.size())});
    WritePalette(out, StandardPalette().data(), 16);
    out.Append(pixels);
    out.Append(mask);
    return Check(out.Take(), 744, "icon image");
}

Bytes MainIconFile() { return IconFile({32, 32, 16, 1, 4}, MainIconImage()); }

// The window icon's entry leaves planes and bit count to the image header.
Bytes FormIconFile() {
    return Check(IconFile({32, 32, 16, 0, 0}, MainIconImage()), 766, "form icon");
}

Bytes ButtonGlyphFile() {
    Palette16 palette = StandardPalette();
    palette[7] = MakeRgb(0x7F7F7F);
    palette[8] = MakeRgb(0xBFBFBF);
    const Bytes pixels = PackIndexed4(DrawButtonGlyph(), palette);
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    const auto fileSize = static_cast<std::uint32_t>(offset + pixels.size());
    ByteBuffer out;
    out.U32(fileSize);  // the stored length that precedes the bitmap
    WriteFileHeader(out, fileSize, offset);
    WriteInfoHeader(out,
                    {32, 16, 4, static_cast<std::uint32_t>(pixels.size()), kPixelsPerMetre, 16});
    WritePalette(out, palette.data(), 16);
    out.Append(pixels);
    return Check(out.Take(), 4 + 374, "button glyph");
}

Bytes ImageListFile() {
    const Canvas strip = DrawCommandImages();
    const Bytes colours = PackBgra32(strip);
    const Bytes mask = PackMask1(strip);
    ByteBuffer out;
    out.Text("IL");
    out.U16(0x0101);  // stream version
    out.U16(3);       // images in use
    out.U16(4);       // capacity
    out.U16(4);       // growth step
    out.U16(16);
    out.U16(16);
    out.U32(0xFFFFFFFF);                      // no background colour
    out.U16(0x10FF);                          // masked, device-dependent colour
    for (int i = 0; i < 4; ++i) out.I16(-1);  // no overlay images
    // Each bitmap's size field counts its headers only, as the stream reader expects.
    WriteFileHeader(out, 14 + 40, 14 + 40);
    WriteInfoHeader(out, {64, 16, 32, static_cast<std::uint32_t>(colours.size())});
    out.Append(colours);
    WriteFileHeader(out, 14 + 40 + 8, 14 + 40 + 8);
    WriteInfoHeader(out, {64, 16, 1, static_cast<std::uint32_t>(mask.size())});
    const Rgb blackWhite[] = {MakeRgb(0x000000), MakeRgb(0xFFFFFF)};
    WritePalette(out, blackWhite, 2);
    out.Append(mask);
    out.Zeros(22);
    return Check(out.Take(), 4390, "image list");
}

Bytes ProgramIconFile() {
    const Canvas picture = Checked(DrawAboutPicture(), 72, "about picture");
    const Bytes pixels = PackBgr24(picture);
    ByteBuffer image;
    WriteInfoHeader(image, {32, 64, 24, static_cast<std::uint32_t>(pixels.size())});
    image.Append(pixels);
    image.Append(PackMask1(picture));
    ByteBuffer out;
    out.U8(5);  // the picture kind as a length-prefixed name
    out.Text("TIcon");
    out.Append(Check(IconFile({32, 32, 0, 1, 24}, image.Take()), 3262, "about icon"));
    return out.Take();
}

Bytes ManifestFile() {
    static constexpr std::string_view kXml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
        "  <assemblyIdentity\r\n"
        "    type=\"win32\"\r\n"
        "    name=\"Quillfen.TripTimer\"\r\n"
        "    version=\"1.0.0.0\"\r\n"
        "    processorArchitecture=\"*\"/>\r\n"
        "  <dependency>\r\n"
        "    <dependentAssembly>\r\n"
        "      <assemblyIdentity\r\n"
        "        type=\"win32\"\r\n"
        "        name=\"Microsoft.Windows.Common-Controls\"\r\n"
        "        version=\"6.0.0.0\"\r\n"
        "        publicKeyToken=\"6595b64144ccf1df\"\r\n"
        "        language=\"*\"\r\n"
        "        processorArchitecture=\"*\"/>\r\n"
        "    </dependentAssembly>\r\n"
        "  </dependency>\r\n"
        "</assembly>\r\n";
    return Check(Bytes(kXml.begin(), kXml.end()), 581, "manifest");
}

std::vector<MediaFile> AllMediaFiles() {
    return {
        {"NekoVoice.wav", Check(WaveFile(SynthesiseMeow()), 11540, "voice clip")},
        {"MainIcon.ico", Check(MainIconFile(), 766, "main icon")},
        {"FormIcon.ico", FormIconFile()},
        {"BitBtn1Glyph.bin", ButtonGlyphFile()},
        {"ImageList1.bin", ImageListFile()},
        {"ProgramIcon.bin", ProgramIconFile()},
        {"Quillfen2b.manifest", ManifestFile()},
    };
}

}  // namespace mediagen
