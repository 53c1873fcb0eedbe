// The message dialog window (class "TMessageForm"): built in code for one message, sized
// to its text in the system message font, with Ctrl+C copying its whole content.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ui/framework/Form.h"
#include "ui/win32/Clipboard.h"
#include "ui/forms/MessageDialogs.h"

namespace quillfen {

// What the layout needs to know, all in pixels of the dialog font.
struct MessageLayoutInput {
    int averageWidth = 0;   // the 52 letters' run width / 52, rounded down
    int averageHeight = 0;  // the run's height
    SIZE text{};            // the message measured with word wrap at half the screen
    bool hasIcon = false;
    std::vector<int> captionWidths;  // caption width + 8 of each requested button, in order
};

// Where everything goes, in client coordinates.
struct MessageLayout {
    SIZE client{};
    RECT icon{};  // empty when there is no icon
    RECT text{};
    std::vector<RECT> buttons;
};

MessageLayout LayOutMessageDialog(const MessageLayoutInput& input);

// The platform services behind the dialog's copy command; tests replace them.
struct MessageDialogServices {
    void (*beep)();
    ClipboardResult (*copyText)(HWND owner, std::string_view text);
};
MessageDialogServices DefaultMessageDialogServices() noexcept;
// Installs services and returns the ones they replace.
MessageDialogServices SetMessageDialogServices(MessageDialogServices services) noexcept;

class TMessageForm : public Form {
public:
    TMessageForm(TApplication& application, std::string_view text, TMsgDlgType kind,
                 TMsgDlgButtons buttons);

    HWND Message() const noexcept { return message_; }
    // Title, text and button captions between dividers, as Ctrl+C copies them.
    std::string ClipboardText() const;

    // Key preview: Ctrl+C is the dialog's before any control sees it.
    bool PreTranslateKey(const MSG& msg) override;

protected:
    HWND CreateCustomControl(const ControlDescription& item, HWND parent, RECT bounds) override;
    WideString AccessibleDescription() const override { return Widen(text_); }
    // At another density the dialog is measured again in the message font at it.
    FormFonts FontsAt(int pixelsPerInch) const override;
    SIZE ClientSizeIn(const FormFonts& fonts) const override;
    void DensityTaken(int pixelsPerInch) override;

private:
    FontHandle FontAt(int pixelsPerInch) const;
    IconHandle TakeIcon(int pixelsPerInch);
    MessageLayout LayoutIn(HFONT font) const;
    std::vector<ControlDescription> Controls(const MessageLayout& layout,
                                             TMsgDlgButtons buttons) const;
    void CopyToClipboard();

    std::string title_;
    std::string text_;
    std::vector<std::size_t> requested_;  // the requested buttons' rows, in layout order
    std::vector<std::string> captions_;
    const wchar_t* iconName_ = nullptr;  // the standard icon's; null: none
    HICON icon_ = nullptr;  // the icon shown: the system's shared one, or iconCopy_
    IconHandle iconCopy_;   // the icon made for a density other than the system's
    HWND message_ = nullptr;
};

}  // namespace quillfen
