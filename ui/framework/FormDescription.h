// Windows are declared as data: a form table holds the window's description and, for
// every control, its description (kind, parent, position, size, text, font, tab order)
// with the handlers of its events beside it. The builder reads the descriptions as they
// stand, field by field by name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "ui/win32/Fonts.h"
#include "ui/win32/Layout.h"

namespace quillfen {

enum class ControlKind : std::uint8_t {
    GroupBox,     // framed group box with caption
    Label,        // static text, sized to its text when AutoSize
    LabeledEdit,  // single-line edit with an attached label
    GlyphButton,  // push button with a picture left of its caption
    Button,       // plain push button
    Memo,         // multi-line edit
    ControlBar,   // band container at the top edge
    MenuBar,      // the menu bar inside the control bar
    Panel,        // bevelled panel
    Image,        // picture box
};

enum class FontRole : std::uint8_t { Form, Large, MenuBar };
enum class FormPosition : std::uint8_t { DesktopCenter, ScreenCenter };
enum class FormBorder : std::uint8_t { Single, Dialog };

// Key modifiers held when a key event fires.
struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::string_view parent = {};  // empty: the form itself
    int left = 0, top = 0, width = 0, height = 0;
    std::string_view text = {};
    FontRole font = FontRole::Form;
    int tabOrder = -1;  // -1: not a tab stop
    bool autoSize = false;
    std::string_view labelText = {};
    LabelPosition labelPosition = LabelPosition::Above;
    bool defaultButton = false;
    int modalResult = 0;
    bool cancelButton = false;
    bool wordWrap = false;  // a label that wraps at its width and grows downwards
    // What screen readers call the control where its label alone says too little; empty:
    // the system's name (an edit's is its attached label).
    std::string_view accessibleName = {};
    // A control whose new text a screen reader is told of (see AnnounceLiveRegion).
    bool liveRegion = false;
};

struct FormDescription {
    const wchar_t* className;
    std::string_view caption;
    FormBorder border;
    FormPosition position;
    int clientWidth, clientHeight;
    FontDescription font;
    FontDescription largeFont;
    FontDescription menuFont;
};

template <typename FormT>
struct ControlEvents {
    void (FormT::*keyDown)(HWND sender, WORD& key, ShiftState shift) = nullptr;
    void (FormT::*keyPress)(HWND sender, wchar_t& key) = nullptr;
    void (FormT::*click)(HWND sender) = nullptr;
    void (FormT::*change)(HWND sender) = nullptr;
};

// One row of a form table: a control and the handlers of its events.
template <typename FormT>
struct ControlRow {
    ControlDescription control;
    ControlEvents<FormT> events = {};
};

template <typename FormT>
struct FormTable {
    FormDescription form;
    std::span<const ControlRow<FormT>> controls;
};

}  // namespace quillfen
