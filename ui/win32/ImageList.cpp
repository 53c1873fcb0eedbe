#include "ui/win32/ImageList.h"

#include "ui/win32/MemoryStream.h"

namespace quillfen {

ImageListHandle ReadImageList(std::string_view stream) {
    MemoryStream memory(stream);
    return ImageListHandle(::ImageList_Read(&memory));
}

}  // namespace quillfen
