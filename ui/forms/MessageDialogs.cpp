#include "ui/forms/MessageDialogs.h"

#include "ui/framework/Application.h"
#include "logic/Exception.h"
#include "ui/forms/MessageForm.h"

namespace quillfen {

int ShowMessageDialog(std::string_view text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int /*helpContext: there is no help file to open*/) {
    TApplication* application = TApplication::Instance();
    if (!application) throw Exception("message dialog without an application");
    // One window per call, destroyed when the dialog goes out of scope.
    const auto dialog = MakeWindow<TMessageForm>(*application, text, kind, buttons);
    return dialog->ShowModal();
}

void ShowPlainMessage(std::string_view text) {
    ShowMessageDialog(text, TMsgDlgType::mtCustom, {mbOK}, 0);
}

}  // namespace quillfen
