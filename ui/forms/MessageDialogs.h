// The program's own modal message dialogs (window class "TMessageForm").
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace quillfen {

enum class TMsgDlgType : std::uint8_t {
    mtWarning,
    mtError,
    mtInformation,
    mtConfirmation,
    mtCustom
};

enum TMsgDlgBtn : std::uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};

// A set of buttons, one bit per TMsgDlgBtn.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (TMsgDlgBtn b : buttons) bits_ |= static_cast<std::uint16_t>(1u << b);
    }
    constexpr bool Contains(TMsgDlgBtn b) const { return (bits_ >> b) & 1u; }
    constexpr int Count() const {
        int n = 0;
        for (std::uint16_t v = bits_; v; v &= static_cast<std::uint16_t>(v - 1)) ++n;
        return n;
    }

private:
    std::uint16_t bits_ = 0;
};

// Shows a fresh dialog modally and returns the result of the button that closed it
// (1 for OK; 2 for the close box, Alt+F4 or a quit request).
int ShowMessageDialog(std::string_view text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int helpContext);
// A plain message titled with the application title.
void ShowPlainMessage(std::string_view text);

}  // namespace quillfen
