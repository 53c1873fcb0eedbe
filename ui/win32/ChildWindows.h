// Child windows: creating standard controls, and passing on what a container cannot answer.
#pragma once

#include <windows.h>

#include <optional>

namespace quillfen {

// A visible child of a standard class, placed at `bounds` in its parent.
HWND CreateChildControl(const wchar_t* windowClass, const wchar_t* text, DWORD style,
                        DWORD exStyle, HWND parent, RECT bounds);
// A static control: a label (SS_LEFT), a picture (SS_ICON) or one drawn by its form.
HWND CreateStatic(HWND parent, const wchar_t* text, DWORD style, RECT bounds);

// Containers (group boxes, panels, the band container) hold controls whose notifications,
// owner drawing and colour questions are the form's to answer: passed on to the top-level
// window. Other messages: nullopt.
std::optional<LRESULT> ForwardToForm(HWND container, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillfen
