// Image lists read from their stored stream.
#pragma once

#include <string_view>

#include "ui/win32/Handles.h"

namespace quillfen {

// Reads an image list from its stored stream; empty when the bytes do not hold one.
ImageListHandle ReadImageList(std::string_view stream);

}  // namespace quillfen
