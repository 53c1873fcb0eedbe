// Building a form from its description: fonts, scaling, the form window, its controls
// with their attached labels, and the tab order.
#include "ui/framework/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "logic/Exception.h"
#include "ui/framework/Application.h"
#include "ui/framework/Failure.h"
#include "ui/framework/FormControls.h"
#include "ui/win32/ChildWindows.h"
#include "ui/win32/DisplayMetrics.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Mnemonic.h"
#include "ui/win32/Text.h"

namespace quillfen {

FormFonts MakeFormFonts(const FormDescription& form, int pixelsPerInch) {
    FormFonts fonts;
    fonts.form = MakeFont(form.font, FontHeightForDensity(form.font.height, pixelsPerInch));
    if (!fonts.form) ThrowFailure(Failure::Font);
    fonts.scale = ScaleForTextHeight(ZeroHeight(fonts.form.get()));
    fonts.large = MakeFont(form.largeFont, fonts.scale(form.largeFont.height));
    fonts.menu = MakeFont(form.menuFont, fonts.scale(form.menuFont.height));
    return fonts;
}

void Form::BeginBuild(const FormDescription& item) {
    pixelsPerInch_ = ScreenPixelsPerInch();
    CreateFormWindow(item, MakeFormFonts(item, pixelsPerInch_));
}

void Form::BuildAtRunTime(const FormDescription& item, FontHandle font,
                          const std::vector<ControlDescription>& controls) {
    if (!font) ThrowFailure(Failure::Font);
    pixelsPerInch_ = ScreenPixelsPerInch();
    FormFonts fonts;
    fonts.form = std::move(font);
    CreateFormWindow(item, std::move(fonts));
    for (const ControlDescription& control : controls) AddControl(control);
    EndBuild();
}

void Form::InstallFonts(FormFonts fonts) noexcept {
    font_ = std::move(fonts.form);
    largeFont_ = std::move(fonts.large);
    menuFont_ = std::move(fonts.menu);
    scale_ = fonts.scale;
}

SIZE Form::WindowSizeAt(SIZE client, int pixelsPerInch) const {
    return FrameSizeAt(client, style_, exStyle_, pixelsPerInch);
}

void Form::CreateFormWindow(const FormDescription& item, FormFonts fonts) {
    description_ = item;
    position_ = item.position;
    border_ = item.border;
    InstallFonts(std::move(fonts));
    style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    exStyle_ = item.border == FormBorder::Dialog ? WS_EX_DLGMODALFRAME : 0;
    const SIZE size =
        WindowSizeAt({scale_(item.clientWidth), scale_(item.clientHeight)}, pixelsPerInch_);
    // Created where its first showing centres it, so that showing need not move it.
    const POINT at = CentredPosition(size.cx, size.cy);
    Create({item.className}, exStyle_, Widen(item.caption).c_str(), style_, at.x, at.y, size.cx,
           size.cy, application_.hwnd());
    if (item.border == FormBorder::Dialog) {
        // A dialog frame carries no caption icon.
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, 0);
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, 0);
    }
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

HWND Form::ParentHandle(std::string_view parent) const {
    if (parent.empty()) return hwnd();
    const HWND h = ControlHandle(parent);
    if (!h) throw Exception("unknown parent control");
    return h;
}

HFONT Form::FontFor(FontRole role) const noexcept {
    switch (role) {
        case FontRole::Large:
            return largeFont_.get();
        case FontRole::MenuBar:
            return menuFont_.get();
        case FontRole::Form:
            break;
    }
    return font_.get();
}

Control& Form::AddControl(const ControlDescription& item) {
    auto owned = std::make_unique<Control>();
    Control& control = *owned;
    controls_.push_back(std::move(owned));
    control.form = this;
    control.description = item;
    control.mnemonic = UpperLocale(MnemonicChar(Widen(item.text)));
    control.accessibleName = Widen(item.accessibleName);

    const HWND parent = ParentHandle(item.parent);
    const RECT bounds = BoundsOf(item);
    if (item.kind == ControlKind::LabeledEdit) {
        const WideString text = Widen(item.labelText);
        control.label =
            CreateStatic(parent, text.c_str(), SS_LEFT, AttachedLabelBounds(item, bounds));
        ::SendMessageW(control.label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    control.hwnd = CreateChild(item, control, parent, bounds);
    if (!control.hwnd) ThrowFailure(Failure::Control);
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(item.font)), FALSE);
    // Edits hold any amount of text; the platform's default caps typing at 30,000.
    if (IsEdit(item.kind)) ::SendMessageW(control.hwnd, EM_SETLIMITTEXT, 0, 0);
    Subclass(control);
    return control;
}

// Scaled; a label sized to its text takes its measure in its font.
RECT Form::BoundsOf(const ControlDescription& item) const {
    RECT b{scale_(item.left), scale_(item.top), 0, 0};
    b.right = b.left + scale_(item.width);
    b.bottom = b.top + scale_(item.height);
    if (item.kind != ControlKind::Label) return b;
    const WideString text = Widen(item.text);
    if (item.wordWrap) {
        b.bottom = b.top + MeasureText(FontFor(item.font), text, b.right - b.left).cy;
    } else if (item.autoSize) {
        const SIZE size = MeasureText(FontFor(item.font), text);
        b.right = b.left + size.cx;
        b.bottom = b.top + size.cy;
    }
    return b;
}

RECT Form::AttachedLabelBounds(const ControlDescription& item, RECT field) const {
    const SIZE size = MeasureText(font_.get(), Widen(item.labelText));
    const POINT at = AttachedLabelOrigin(field, size, item.labelPosition);
    return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}

HWND Form::CreateChild(const ControlDescription& item, Control& control, HWND parent, RECT b) {
    const WideString text = Widen(item.text);
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (item.kind) {
        case ControlKind::GroupBox:
            cls = L"BUTTON";
            style |= BS_GROUPBOX;
            break;
        case ControlKind::Label:
            style |= SS_LEFT;
            break;
        case ControlKind::LabeledEdit:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Memo:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_LEFT;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::GlyphButton:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        case ControlKind::Button:
            cls = L"BUTTON";
            style |= WS_TABSTOP | (item.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        case ControlKind::Panel:
            // Outer bevel lowered, inner raised, one pixel each: the etched frame.
            style |= SS_ETCHEDFRAME;
            break;
        case ControlKind::Image:
        case ControlKind::ControlBar:
        case ControlKind::MenuBar:
            if (HWND custom = CreateCustomControl(item, parent, b)) {
                control.ownClass = true;
                return custom;
            }
            style |= SS_NOTIFY;
            break;
    }
    return CreateChildControl(cls, text.c_str(), style, exStyle, parent, b);
}

void Form::EndBuild() {
    // Depth first: the form's children by tab order, each followed by its own children.
    std::vector<const Control*> order;
    std::function<void(HWND)> walk = [&](HWND parent) {
        std::vector<const Control*> level;
        for (const auto& c : controls_) {
            if (::GetParent(c->hwnd) == parent) level.push_back(c.get());
        }
        // By tab order, equal ones in creation order. A form has a handful of siblings, so
        // an insertion sort: std::stable_sort's buffered merges cost 2 KB of the executable.
        const auto tabOrder = [&level](std::size_t i) { return level[i]->description.tabOrder; };
        for (std::size_t i = 1; i < level.size(); ++i) {
            for (std::size_t j = i; j > 0 && tabOrder(j - 1) > tabOrder(j); --j) {
                std::swap(level[j - 1], level[j]);
            }
        }
        for (const Control* c : level) {
            order.push_back(c);
            walk(c->hwnd);
        }
    };
    walk(hwnd());
    tabStops_.clear();
    for (const Control* c : order) {
        const ControlDescription& d = c->description;
        if (d.tabOrder >= 0 && (IsEdit(d.kind) || IsButton(d.kind))) tabStops_.push_back(c->hwnd);
    }
    // Built at the screen's density; a window that opens on a monitor of another one is
    // laid out again for it before it is first shown.
    const int monitor = WindowPixelsPerInch(hwnd());
    if (monitor != pixelsPerInch_) TakeDensity(monitor, nullptr);
}

}  // namespace quillfen
