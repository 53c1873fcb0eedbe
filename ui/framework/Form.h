// A top-level window built from a form description: its controls, fonts, scaling,
// tab order, dialog keys, first showing and modal showing.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/framework/FormDescription.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Layout.h"
#include "ui/win32/DisplayMetrics.h"
#include "ui/win32/Text.h"
#include "ui/framework/Window.h"

namespace quillfen {

class TApplication;
class Form;

// One control of a form at run time.
struct Control {
    Form* form = nullptr;
    // What it was built from (name, kind, tab order, button roles, ...); at another density
    // it is laid out again from this. Its texts are the stored table's or the form's own,
    // which outlive the control.
    ControlDescription description;
    HWND hwnd = nullptr;
    HWND label = nullptr;  // the attached label of a LabeledEdit
    wchar_t mnemonic = 0;  // upper-case mnemonic letter of the caption, 0 when none
    bool focusByClick = false;
    bool ownClass = false;       // a window of one of our own classes, not a standard control
    WNDPROC original = nullptr;  // a standard control's own window procedure
    std::function<void(HWND, WORD&, ShiftState)> onKeyDown;
    std::function<void(HWND, wchar_t&)> onKeyPress;
    std::function<void(HWND)> onClick;
    std::function<void(HWND)> onChange;
    WideString accessibleName;  // empty: the system's name
};

// The fonts of a form at one density and the factor its layout is scaled by.
struct FormFonts {
    FontHandle form, large, menu;
    LayoutScale scale;
};
// The table's rule: the form font's height × density / 96, then every length (and the
// large and menu fonts) by the measured height of "0" in it over 12.
FormFonts MakeFormFonts(const FormDescription& form, int pixelsPerInch);

class Form : public Window {
public:
    explicit Form(TApplication& application);
    ~Form() override;

    // Dialog keys, offered every key message before it is translated: true when taken.
    virtual bool PreTranslateKey(const MSG& msg);

    void Show();
    int ShowModal();
    void Close();
    int ModalResult() const noexcept { return modalResult_; }

    const Control* FindControl(std::string_view name) const noexcept;
    Control* FindControl(HWND hwnd) noexcept;
    HWND ControlHandle(std::string_view name) const noexcept;
    const std::vector<HWND>& TabStops() const noexcept { return tabStops_; }
    // Gives a control the focus as a keyboard move does (an edit then selects its text).
    void FocusControl(HWND control);
    LayoutScale Scale() const noexcept { return scale_; }
    HFONT FontFor(FontRole role) const noexcept;
    // The density the form is laid out for: its monitor's.
    int PixelsPerInch() const noexcept { return pixelsPerInch_; }

protected:
    template <typename FormT>
    void Build(FormT& self, const FormTable<FormT>& table);
    // Builds the form from controls described at run time: pixel positions in the given
    // font (made for the screen's density), nothing scaled, the item's face table unused.
    void BuildAtRunTime(const FormDescription& item, FontHandle font,
                        const std::vector<ControlDescription>& controls);

    // At another density: the fonts and the client size (a form described at run time
    // gives its own), and what the form itself holds for a density (its pictures; a form
    // described at run time, its controls' new places through Redescribe).
    virtual FormFonts FontsAt(int pixelsPerInch) const;
    virtual SIZE ClientSizeIn(const FormFonts& fonts) const;
    virtual void DensityTaken(int /*pixelsPerInch*/) {}
    void Redescribe(std::string_view name, RECT bounds);
    // Lays the open form out again at the density: fonts, every control, the window at
    // `placement` (null: centred as at its first showing).
    void TakeDensity(int pixelsPerInch, const RECT* placement);
    // The window size the rule gives at the density.
    SIZE WindowSizeAtDensity(int pixelsPerInch) const;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Owner-drawn controls (the glyph button) and custom children are the form's own.
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual HWND CreateCustomControl(const ControlDescription&, HWND /*parent*/, RECT /*bounds*/) {
        return nullptr;
    }
    virtual void Activated() {}
    // A dialog's text for screen readers, which they read after its title (the message of
    // a message box); empty: none.
    virtual WideString AccessibleDescription() const { return {}; }

    TApplication& application_;

private:
    void BeginBuild(const FormDescription& item);
    void CreateFormWindow(const FormDescription& item, FormFonts fonts);
    void InstallFonts(FormFonts fonts) noexcept;
    SIZE WindowSizeAt(SIZE client, int pixelsPerInch) const;
    RECT BoundsOf(const ControlDescription& item) const;
    RECT AttachedLabelBounds(const ControlDescription& item, RECT field) const;
    void PlaceControl(const Control& control);
    Control& AddControl(const ControlDescription& item);
    void EndBuild();
    HWND ParentHandle(std::string_view parent) const;
    HWND CreateChild(const ControlDescription& item, Control& control, HWND parent, RECT bounds);
    POINT CentredPosition(int width, int height) const;
    void Centre();
    HWND NextTabStop(HWND from, bool forward) const;
    bool HandleMnemonic(wchar_t letter);
    bool HandleDialogKey(const MSG& msg, Control* control);
    void ClickControl(Control& control);
    void RememberFocus();
    static void Subclass(Control& control);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK OwnClassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CallOriginal(const Control& control, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ControlMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<HWND> tabStops_;
    FormDescription description_{};
    FontHandle font_, largeFont_, menuFont_;
    LayoutScale scale_;
    int pixelsPerInch_ = kDesignPixelsPerInch;
    DWORD style_ = 0, exStyle_ = 0;
    FormPosition position_ = FormPosition::DesktopCenter;
    FormBorder border_ = FormBorder::Single;
    bool shownOnce_ = false;
    bool modal_ = false;
    int modalResult_ = 0;
    HWND activeControl_ = nullptr;
};

template <typename FormT>
void Form::Build(FormT& self, const FormTable<FormT>& table) {
    BeginBuild(table.form);
    for (const ControlRow<FormT>& row : table.controls) {
        Control& control = AddControl(row.control);
        const ControlEvents<FormT>& e = row.events;
        if (e.keyDown)
            control.onKeyDown = [&self, h = e.keyDown](HWND s, WORD& k, ShiftState st) {
                (self.*h)(s, k, st);
            };
        if (e.keyPress)
            control.onKeyPress = [&self, h = e.keyPress](HWND s, wchar_t& k) { (self.*h)(s, k); };
        if (e.click) control.onClick = [&self, h = e.click](HWND s) { (self.*h)(s); };
        if (e.change) control.onChange = [&self, h = e.change](HWND s) { (self.*h)(s); };
    }
    EndBuild();
}

// Modifier keys as they are now.
ShiftState CurrentShiftState() noexcept;

}  // namespace quillfen
