#include "ui/forms/MessageForm.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

#include "ui/framework/Application.h"
#include "logic/Exception.h"
#include "resources/StringIds.h"
#include "ui/forms/FormFonts.h"
#include "ui/forms/ProgramTexts.h"
#include "ui/win32/Layout.h"
#include "ui/win32/ChildWindows.h"
#include "ui/win32/Clipboard.h"
#include "ui/win32/CoveringFont.h"
#include "ui/win32/DisplayMetrics.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Mnemonic.h"
#include "ui/win32/Text.h"

namespace quillfen {

namespace {

constexpr int kIconSize = 32;
constexpr int kCaptionPadding = 8;
constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLetterCount = 52;
constexpr int kDividerLength = 27;

struct ButtonKind {
    TMsgDlgBtn button;
    const char* name;
    UINT caption;
    int result;  // 0: the button does not close the dialog
};

// In layout order.
constexpr ButtonKind kButtons[] = {
    {mbYes, "Yes", IDS_BUTTON_YES, IDYES},
    {mbNo, "No", IDS_BUTTON_NO, IDNO},
    {mbOK, "OK", IDS_BUTTON_OK, IDOK},
    {mbCancel, "Cancel", IDS_BUTTON_CANCEL, IDCANCEL},
    {mbAbort, "Abort", IDS_BUTTON_ABORT, IDABORT},
    {mbRetry, "Retry", IDS_BUTTON_RETRY, IDRETRY},
    {mbIgnore, "Ignore", IDS_BUTTON_IGNORE, IDIGNORE},
    {mbAll, "All", IDS_BUTTON_ALL, 8},
    {mbNoToAll, "NoToAll", IDS_BUTTON_NO_TO_ALL, 9},
    {mbYesToAll, "YesToAll", IDS_BUTTON_YES_TO_ALL, 10},
    // The program has no help file: Help opens nothing and leaves the dialog open.
    {mbHelp, "Help", IDS_BUTTON_HELP, 0},
};
constexpr std::size_t kButtonCount = std::size(kButtons);

struct KindLook {
    UINT title;           // 0: the application title
    const wchar_t* icon;  // a standard icon, null: none
};

KindLook LookOf(TMsgDlgType kind) {
    switch (kind) {
        case TMsgDlgType::mtWarning:
            return {IDS_TITLE_WARNING, IDI_WARNING};
        case TMsgDlgType::mtError:
            return {IDS_TITLE_ERROR, IDI_ERROR};
        case TMsgDlgType::mtInformation:
            return {IDS_TITLE_INFORMATION, IDI_INFORMATION};
        case TMsgDlgType::mtConfirmation:
            return {IDS_TITLE_CONFIRMATION, IDI_QUESTION};
        case TMsgDlgType::mtCustom:
            break;
    }
    return {0, nullptr};
}

void DefaultBeep() { ::MessageBeep(0); }

MessageDialogServices g_services = DefaultMessageDialogServices();

SIZE MeasureLetterRun(HDC dc) {
    SIZE run{};
    ::GetTextExtentPoint32W(dc, kLetters, kLetterCount, &run);
    return {run.cx / kLetterCount, run.cy};
}

// A caption's single-line width plus padding, measured once per button and font for the
// run: texts the system font cannot show are laid out in another font.
int CaptionWidth(HDC dc, std::size_t button, const std::string& caption) {
    static LOGFONTW measuredFont{};
    static std::array<int, kButtonCount> measured{};
    LOGFONTW font{};
    ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    if (std::memcmp(&font, &measuredFont, sizeof font) != 0) {
        measuredFont = font;
        measured.fill(0);
    }
    if (measured[button] == 0) {
        measured[button] =
            MeasureText(dc, Widen(caption)).cx + kCaptionPadding;
    }
    return measured[button];
}

struct LayoutUnits {
    int hMargin, vMargin, hSpacing, vSpacing, buttonWidth, buttonHeight, buttonSpacing;
};

LayoutUnits UnitsFor(const MessageLayoutInput& in) {
    const int w = in.averageWidth;
    const int h = in.averageHeight;
    LayoutUnits u{ScaleInt(8, w, 4),  ScaleInt(8, h, 8),  ScaleInt(10, w, 4), ScaleInt(10, h, 8),
                  ScaleInt(50, w, 4), ScaleInt(14, h, 8), ScaleInt(4, w, 4)};
    for (int caption : in.captionWidths) u.buttonWidth = std::max(u.buttonWidth, caption);
    return u;
}

}  // namespace

MessageDialogServices DefaultMessageDialogServices() noexcept {
    return {&DefaultBeep, &CopyTextToClipboard};
}

MessageDialogServices SetMessageDialogServices(MessageDialogServices services) noexcept {
    const MessageDialogServices previous = g_services;
    g_services = services;
    return previous;
}

MessageLayout LayOutMessageDialog(const MessageLayoutInput& in) {
    const LayoutUnits u = UnitsFor(in);
    int blockWidth = in.text.cx;
    int blockHeight = in.text.cy;
    if (in.hasIcon) {
        blockWidth += kIconSize + u.hSpacing;
        blockHeight = std::max(blockHeight, kIconSize);
    }
    const int count = static_cast<int>(in.captionWidths.size());
    // With no buttons at all the row takes no room rather than a negative width.
    const int rowWidth = count > 0 ? count * u.buttonWidth + (count - 1) * u.buttonSpacing : 0;

    MessageLayout out;
    out.client = {std::max(blockWidth, rowWidth) + 2 * u.hMargin,
                  blockHeight + u.buttonHeight + u.vSpacing + 2 * u.vMargin};
    if (in.hasIcon) out.icon = {u.hMargin, u.vMargin, u.hMargin + kIconSize, u.vMargin + kIconSize};
    const int textLeft = blockWidth - in.text.cx + u.hMargin;
    out.text = {textLeft, u.vMargin, textLeft + in.text.cx, u.vMargin + in.text.cy};
    int left = (out.client.cx - rowWidth) / 2;
    const int top = blockHeight + u.vMargin + u.vSpacing;
    for (int i = 0; i < count; ++i) {
        out.buttons.push_back({left, top, left + u.buttonWidth, top + u.buttonHeight});
        left += u.buttonWidth + u.buttonSpacing;
    }
    return out;
}

TMessageForm::TMessageForm(TApplication& application, std::string_view text, TMsgDlgType kind,
                           TMsgDlgButtons buttons)
    : Form(application), text_(text) {
    const KindLook look = LookOf(kind);
    title_ = look.title ? LoadText(look.title) : application.Title();
    iconName_ = look.icon;
    TakeIcon(ScreenPixelsPerInch());
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        if (!buttons.Contains(kButtons[i].button)) continue;
        requested_.push_back(i);
        captions_.push_back(LoadText(kButtons[i].caption));
    }

    FontHandle font = FontAt(ScreenPixelsPerInch());
    if (!font) ThrowFailure(Failure::Font);
    const MessageLayout layout = LayoutIn(font.get());
    BuildAtRunTime({.className = L"TMessageForm",
                    .caption = title_,
                    .border = FormBorder::Dialog,
                    .position = FormPosition::ScreenCenter,
                    .clientWidth = layout.client.cx,
                    .clientHeight = layout.client.cy,
                    .font = {},
                    .largeFont = {},
                    .menuFont = {}},
                   std::move(font), Controls(layout, buttons));

    // The message is shown as given: an "&" in it is a character, not a mnemonic.
    message_ = ControlHandle("Message");
    ::SetWindowLongW(message_, GWL_STYLE, ::GetWindowLongW(message_, GWL_STYLE) | SS_NOPREFIX);
}

// The system's message font at the density where it has the glyphs of the text shown, else
// one that has. The system gives it for its own density.
FontHandle TMessageForm::FontAt(int pixelsPerInch) const {
    WideString shown = Widen(text_);
    for (const std::string& caption : captions_) shown += Widen(caption);
    LOGFONTW request = SystemMessageFont();
    request.lfHeight = ScaleInt(request.lfHeight, pixelsPerInch, SystemPixelsPerInch());
    return FontCoveringText(request, shown, kFormFont);
}

// The standard icon at the density's icon size. At the system's own density it is the
// system's shared icon, as LoadIcon gives it; at another, a copy the system scales down from
// a larger image of it, which stays sharp where stretching the shared one would blur it.
// Returns the copy it replaces, for the picture to let go of first.
IconHandle TMessageForm::TakeIcon(int pixelsPerInch) {
    if (!iconName_) return {};
    IconHandle copy;
    if (pixelsPerInch != SystemPixelsPerInch()) copy = StandardIconAt(iconName_, pixelsPerInch);
    icon_ = copy ? copy.get() : ::LoadIconW(nullptr, iconName_);
    return std::exchange(iconCopy_, std::move(copy));
}

MessageLayout TMessageForm::LayoutIn(HFONT font) const {
    MessageLayoutInput input;
    input.hasIcon = icon_ != nullptr;
    WindowDc screen(nullptr);
    ScopedSelect select(screen.get(), font);
    const SIZE average = MeasureLetterRun(screen.get());
    input.averageWidth = average.cx;
    input.averageHeight = average.cy;
    input.text = MeasureText(screen.get(), Widen(text_), ::GetSystemMetrics(SM_CXSCREEN) / 2,
                             DT_EXPANDTABS | DT_NOPREFIX);
    for (std::size_t b = 0; b < requested_.size(); ++b) {
        input.captionWidths.push_back(CaptionWidth(screen.get(), requested_[b], captions_[b]));
    }
    return LayOutMessageDialog(input);
}

FormFonts TMessageForm::FontsAt(int pixelsPerInch) const {
    FormFonts fonts;
    fonts.form = FontAt(pixelsPerInch);
    return fonts;
}

SIZE TMessageForm::ClientSizeIn(const FormFonts& fonts) const {
    return LayoutIn(fonts.form.get()).client;
}

void TMessageForm::DensityTaken(int pixelsPerInch) {
    const MessageLayout layout = LayoutIn(FontFor(FontRole::Form));
    if (const HWND image = ControlHandle("Image")) {
        const IconHandle shown = TakeIcon(pixelsPerInch);  // destroyed once it is not shown
        ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
        // The picture takes its icon's size, as when it was made.
        RECT size{};
        ::GetClientRect(image, &size);
        Redescribe("Image", {layout.icon.left, layout.icon.top, layout.icon.left + size.right,
                             layout.icon.top + size.bottom});
    }
    Redescribe("Message", layout.text);
    for (std::size_t b = 0; b < requested_.size(); ++b)
        Redescribe(kButtons[requested_[b]].name, layout.buttons[b]);
}

std::vector<ControlDescription> TMessageForm::Controls(const MessageLayout& layout,
                                                       TMsgDlgButtons buttons) const {
    // Default: OK, else Yes, else Retry. Cancel: Cancel, else No, else OK.
    const TMsgDlgBtn defaultButton = buttons.Contains(mbOK)    ? mbOK
                                     : buttons.Contains(mbYes) ? mbYes
                                                               : mbRetry;
    const TMsgDlgBtn cancelButton = buttons.Contains(mbCancel) ? mbCancel
                                    : buttons.Contains(mbNo)   ? mbNo
                                                               : mbOK;
    auto control = [](std::string_view name, ControlKind kind, RECT r, std::string_view text) {
        return ControlDescription{.name = name,
                                  .kind = kind,
                                  .left = r.left,
                                  .top = r.top,
                                  .width = r.right - r.left,
                                  .height = r.bottom - r.top,
                                  .text = text};
    };
    std::vector<ControlDescription> controls;
    if (!::IsRectEmpty(&layout.icon))
        controls.push_back(control("Image", ControlKind::Image, layout.icon, {}));
    controls.push_back(control("Message", ControlKind::Label, layout.text, text_));
    for (std::size_t b = 0; b < requested_.size(); ++b) {
        const ButtonKind& button = kButtons[requested_[b]];
        ControlDescription item =
            control(button.name, ControlKind::Button, layout.buttons[b], captions_[b]);
        item.tabOrder = static_cast<int>(b);
        item.modalResult = button.result;
        item.defaultButton = button.button == defaultButton;
        item.cancelButton = button.button == cancelButton;
        controls.push_back(item);
    }
    return controls;
}

HWND TMessageForm::CreateCustomControl(const ControlDescription& item, HWND parent, RECT bounds) {
    if (item.kind != ControlKind::Image) return nullptr;
    const HWND image = CreateStatic(parent, L"", SS_ICON, bounds);
    if (image) ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    return image;
}

std::string TMessageForm::ClipboardText() const {
    const std::string divider = std::string(kDividerLength, '-') + "\r\n";
    std::string out = divider + title_ + "\r\n" + divider + text_ + "\r\n" + divider;
    for (const std::string& caption : captions_) out += WithoutMnemonic<std::string>(caption) + "   ";
    out += "\r\n" + divider;
    return out;
}

void TMessageForm::CopyToClipboard() {
    g_services.beep();
    // A failure is shown by the last-resort display; the dialog stays open.
    switch (g_services.copyText(hwnd(), ClipboardText())) {
        case ClipboardResult::Copied:
            return;
        case ClipboardResult::NotOpened:
            throw Exception("クリップボードを開くことができません");
        case ClipboardResult::NotPlaced:
            break;
    }
    throw Exception("クリップボードにテキストを設定できません");
}

bool TMessageForm::PreTranslateKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == 'C' &&
        (msg.hwnd == hwnd() || ::IsChild(hwnd(), msg.hwnd))) {
        const ShiftState shift = CurrentShiftState();
        if (shift.ctrl && !shift.shift && !shift.alt) {
            CopyToClipboard();
            return true;
        }
    }
    return Form::PreTranslateKey(msg);
}

}  // namespace quillfen
