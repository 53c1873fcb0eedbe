// The main window's menu bar: a child control in the band container, with owner-drawn
// drop-downs run by the platform's popup-menu loop.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <functional>
#include <vector>

#include "ui/controls/MenuBarAccessible.h"
#include "ui/controls/MenuModel.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Text.h"
#include "ui/controls/MenuStyle.h"
#include "ui/framework/Window.h"

namespace quillfen {

class MenuBar : public Window {
public:
    struct Callbacks {
        std::function<void(TAction&)> execute;          // a chosen command runs
        std::function<void(const TAction&)> highlight;  // a command's item is highlighted
        // A drop-down opens, or a command of one is chosen: told before the menu's sound.
        std::function<void()> dropDownOpens;
        std::function<void()> commandChosen;
    };

    // Where the colours come from, asked again whenever the system's colours change.
    using PaletteSource = std::function<MenuPalette()>;

    // `openVerb`: what screen readers call opening an entry's drop-down (its default action).
    MenuBar(HWND parent, RECT bounds, std::vector<MenuTop> menu, PaletteSource palette,
            HIMAGELIST images, Callbacks callbacks, WideString openVerb);

    // Alt alone or F10: the bar takes the focus and highlights its first entry.
    void EnterMenuMode();
    // Back to rest; the focus returns to where it was when menu mode began.
    void LeaveMenuMode();
    bool InMenuMode() const noexcept { return mode_ != Mode::Idle; }
    // Alt+letter: opens the drop-down of the entry with that mnemonic, if there is one.
    bool OpenByMnemonic(wchar_t letter);
    // Opens a drop-down and runs its menu loop until it closes, then runs the command
    // chosen in it, if any. From the keyboard the first item comes up highlighted.
    void Open(int index, bool byKeyboard);
    // Opens a drop-down once the bar's queue comes to it: for a caller that must not wait
    // in its menu loop (a screen reader's request for an entry's default action).
    void RequestOpen(int index) noexcept;

    int HotIndex() const noexcept { return hot_; }
    int OpenIndex() const noexcept { return open_; }
    RECT EntryRect(int index) const noexcept { return entries_[static_cast<size_t>(index)]; }
    const std::vector<MenuTop>& Menu() const noexcept { return menu_; }
    HMENU DropDown(int index) const noexcept {
        return dropDowns_[static_cast<size_t>(index)].get();
    }
    const MenuPalette& Palette() const noexcept { return palette_; }
    const WideString& OpenVerb() const noexcept { return openVerb_; }
    // The colours, the high-contrast setting or the theme changed: the bar and its
    // drop-downs take the new palette. Only top-level windows are told, so the window
    // that holds the bar passes it on.
    void SystemColoursChanged();
    // Takes colours from another source from now on (a test's stand-in for a setting
    // the platform cannot switch).
    void SetPaletteSource(PaletteSource source);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Destroyed() override;

private:
    enum class Mode { Idle, BarMenu, DropDown };
    static constexpr UINT kOpenRequest = WM_USER + 1;

    // Leaving Idle starts a menu session and going back ends it; clients hear of both.
    void SetMode(Mode mode) noexcept;
    void AnnounceFocus(int index) const noexcept;
    LRESULT AnswerAccessibility(WPARAM wParam, LPARAM lParam);

    void BuildDropDowns();
    void PaintDropDownBackgrounds();
    void LayoutEntries();
    void Paint(HDC dc);
    void SetHot(int index);
    int HitTest(POINT client) const noexcept;
    int HitTestScreen(POINT screen) const noexcept;
    int Neighbour(int index, int step) const noexcept;
    int EntryOfMnemonic(wchar_t letter) const noexcept;
    UINT TrackDropDown(int index, bool byKeyboard);
    void Choose(UINT command);
    void KeyInBarMode(WPARAM key);
    void CharInBarMode(wchar_t ch);
    void MouseMoved(POINT at);
    void FocusChanged(bool gained);
    void SetFont(HFONT font, bool redraw);
    LRESULT MenuOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Messages of the drop-down's loop, before it acts on them; true swallows one.
    bool FilterMenuMessage(const MSG& msg) noexcept;
    void SwitchTo(int index, bool byKeyboard) noexcept;
    static LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam);
    // The drop-down's own window gets the frame drawn over its platform frame.
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void PaintFrame(HWND dropDown) const;
    LRESULT MeasureItem(MEASUREITEMSTRUCT& item);
    LRESULT DrawItem(const DRAWITEMSTRUCT& item);
    LRESULT MenuChar(wchar_t letter, HMENU menu) const;
    void MenuSelect(UINT item, UINT flags);

    std::vector<MenuTop> menu_;
    std::vector<MenuHandle> dropDowns_;
    // What a drop-down item's data points at. Owner-drawn items give the menu no text,
    // so a screen reader's menu support reads the caption from the record it begins with.
    struct ItemData {
        MSAAMENUINFO msaa;
        const MenuEntry* entry;
    };
    std::vector<ItemData> items_;  // command id − 1 → its item; never grows once built
    std::vector<RECT> entries_;
    PaletteSource paletteSource_;
    MenuPalette palette_;
    BrushHandle dropDownBrush_;
    HIMAGELIST images_;
    HFONT font_ = nullptr;
    Callbacks callbacks_;
    WideString openVerb_;

    Mode mode_ = Mode::Idle;
    int hot_ = -1;
    int open_ = -1;
    int pendingNext_ = -1;
    bool pendingByKeyboard_ = false;
    bool trackingMouse_ = false;
    HWND returnFocus_ = nullptr;
    ComPtr<MenuBarAccessible> accessible_;  // made at the first question
};

}  // namespace quillfen
