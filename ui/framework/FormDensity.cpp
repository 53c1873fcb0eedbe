// A form laid out again at another density (its window moved to a monitor of another
// scale, or the scale changed): the same rule as its building, applied to the windows it
// has, so texts, selections and the focus stay as they are.
#include "ui/framework/Form.h"

#include <utility>

#include "ui/framework/Failure.h"
#include "ui/win32/DisplayMetrics.h"

namespace quillfen {

FormFonts Form::FontsAt(int pixelsPerInch) const {
    return MakeFormFonts(description_, pixelsPerInch);
}

SIZE Form::ClientSizeIn(const FormFonts& fonts) const {
    return {fonts.scale(description_.clientWidth), fonts.scale(description_.clientHeight)};
}

void Form::Redescribe(std::string_view name, RECT bounds) {
    for (const auto& c : controls_) {
        if (c->description.name != name) continue;
        c->description.left = bounds.left;
        c->description.top = bounds.top;
        c->description.width = bounds.right - bounds.left;
        c->description.height = bounds.bottom - bounds.top;
    }
}

void Form::PlaceControl(const Control& control) {
    const ControlDescription& item = control.description;
    const RECT bounds = BoundsOf(item);
    constexpr UINT kMove = SWP_NOZORDER | SWP_NOACTIVATE;
    if (control.label) {
        const RECT label = AttachedLabelBounds(item, bounds);
        ::SetWindowPos(control.label, nullptr, label.left, label.top, label.right - label.left,
                       label.bottom - label.top, kMove);
        ::SendMessageW(control.label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    ::SetWindowPos(control.hwnd, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, kMove);
    // After the move: a control that lays out its own parts does so in its new size.
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(item.font)), FALSE);
}

void Form::TakeDensity(int pixelsPerInch, const RECT* placement) {
    FormFonts fonts = FontsAt(pixelsPerInch);
    if (!fonts.form) ThrowFailure(Failure::Font);
    const SIZE client = ClientSizeIn(fonts);
    // The controls use the old fonts until each has been given its new one.
    FormFonts old{std::move(font_), std::move(largeFont_), std::move(menuFont_), scale_};
    const int oldPixelsPerInch = std::exchange(pixelsPerInch_, pixelsPerInch);
    InstallFonts(std::move(fonts));
    try {
        DensityTaken(pixelsPerInch);
    } catch (...) {
        // Nothing has moved yet: the form stays as it was, at the old density.
        InstallFonts(std::move(old));
        pixelsPerInch_ = oldPixelsPerInch;
        throw;
    }
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    // The size is the rule's, which is also what the system was told it would be
    // (WM_GETDPISCALEDSIZE); the place is the system's, which keeps the window under the
    // pointer that drags it from one monitor to the other.
    const SIZE size = WindowSizeAt(client, pixelsPerInch);
    const POINT at =
        placement ? POINT{placement->left, placement->top} : CentredPosition(size.cx, size.cy);
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    // Parents come before their children in creation order.
    for (const auto& c : controls_) PlaceControl(*c);
    ::RedrawWindow(hwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

SIZE Form::WindowSizeAtDensity(int pixelsPerInch) const {
    return WindowSizeAt(ClientSizeIn(FontsAt(pixelsPerInch)), pixelsPerInch);
}

}  // namespace quillfen
