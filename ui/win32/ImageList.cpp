#include "ui/win32/ImageList.h"

#include "logic/Exception.h"
#include "ui/win32/MemoryStream.h"

namespace quillfen {

ImageListHandle ReadImageList(std::string_view stream) {
    MemoryStream memory(stream);
    ImageListHandle list(::ImageList_Read(&memory));
    if (!list) throw Exception("ストリームからの ImageList データの読み込みに失敗しました");
    return list;
}

}  // namespace quillfen
