// What the form's parts need to know about the kinds of control.
#pragma once

#include "ui/framework/FormDescription.h"

namespace quillfen {

inline bool IsEdit(ControlKind kind) {
    return kind == ControlKind::LabeledEdit || kind == ControlKind::Memo;
}
inline bool IsButton(ControlKind kind) {
    return kind == ControlKind::GlyphButton || kind == ControlKind::Button;
}

}  // namespace quillfen
