// The main window: seven entry fields, the Calculate button, the result memo and the
// menu bar, with the handlers that give them their behaviour.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "logic/Trip.h"
#include "ui/controls/MenuModel.h"
#include "ui/controls/ControlBar.h"
#include "ui/framework/Form.h"
#include "ui/controls/GlyphButton.h"
#include "ui/controls/MenuBar.h"

namespace quillfen {

class TForm1 : public Form {
public:
    explicit TForm1(TApplication& application);

    // Field entry.
    void LabeledEdit1KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit2KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit3KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit4KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit5KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit6KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit7KeyDown(HWND sender, WORD& key, ShiftState shift);
    void LabeledEdit1KeyPress(HWND sender, wchar_t& key);
    void LabeledEdit2KeyPress(HWND sender, wchar_t& key);
    void LabeledEdit4KeyPress(HWND sender, wchar_t& key);
    void LabeledEdit5KeyPress(HWND sender, wchar_t& key);
    // The night-train flag follows every change of the night-train field's text.
    void LabeledEdit7Change(HWND sender);

    // The Calculate command.
    void BitBtn1Click(HWND sender);

    // Menu commands; the exit command carries its own behaviour.
    void EditCopyExecute(TAction& sender);
    void MInimizeExecute(TAction& sender);
    void HelpAboutExecute(TAction& sender);

    // Alt+letter opens a drop-down before the window's own mnemonics are tried.
    bool PreTranslateKey(const MSG& msg) override;

    TActionManager& ActionManager1() noexcept { return actionManager_; }
    MenuBar& ActionMainMenuBar1() const noexcept { return *menuBar_; }
    HIMAGELIST ImageList1() const noexcept { return imageList_.get(); }

    std::string FieldText(const char* name) const;
    void SetFieldText(const char* name, const std::string& text);

    // Trip state kept in the window object.
    std::int32_t DepartHour = 0, DepartMinute = 0, DepartSecond = 0;
    std::int32_t ArriveHour = 0, ArriveMinute = 0, ArriveSecond = 0;
    std::uint8_t NightTrain = 0;

    // Seams for tests: the calculation, the clip start and the announcement of the memo's
    // new text to screen readers can be replaced.
    std::function<TripResult(const std::array<std::string, 6>&, std::uint8_t)> calculate;
    std::function<bool()> playClip;
    std::function<void(HWND memo, const std::string& text)> announce;

protected:
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    HWND CreateCustomControl(const ControlDescription& item, HWND parent, RECT bounds) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnterInTimeField(const char* field, const char* next);
    static void FilterDigits(wchar_t& key);

    GlyphStrip glyph_;
    IconHandle icon_;
    WindowPtr<ControlBar> controlBar_;
    TActionManager actionManager_;
    ImageListHandle imageList_;
    WindowPtr<MenuBar> menuBar_;
};

}  // namespace quillfen
