// The bytes of each file the program embeds.
#pragma once

#include <string>
#include <vector>

#include "ByteBuffer.h"

namespace mediagen {

struct MediaFile {
    std::string name;
    Bytes bytes;
};

Bytes MainIconImage();  // the 744-byte icon image shared by both train icons
Bytes MainIconFile();
Bytes FormIconFile();
Bytes ButtonGlyphFile();
Bytes ImageListFile();
Bytes ProgramIconFile();
Bytes ManifestFile();

// Every file, in a fixed order, each checked against its exact size.
std::vector<MediaFile> AllMediaFiles();

}  // namespace mediagen
