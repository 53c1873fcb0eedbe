// Interim: the stock message box stands in until the program's own dialog form lands.
#include "ui/MessageDialogs.h"
#include <windows.h>
#include "ui/Text.h"
namespace quillfen {
int ShowMessageDialog(std::string_view text, TMsgDlgType, TMsgDlgButtons, int) {
    return ::MessageBoxW(nullptr, Widen(text).c_str(), L"", MB_OK);
}
void ShowPlainMessage(std::string_view text) { ShowMessageDialog(text, TMsgDlgType::mtCustom, {mbOK}, 0); }
}
