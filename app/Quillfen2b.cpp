// Program entry: builds the application object and its forms and runs the event loop.
// The exit code is always 0.
#include <windows.h>

#include <exception>

#include "resources/ResourceIds.h"
#include "ui/forms/FormFonts.h"
#include "ui/forms/Startup.h"
#include "ui/framework/Application.h"
#include "ui/framework/ReadableMessageBox.h"
#include "ui/win32/Text.h"

namespace quillfen {

int Quillfen2b() {
    // Left only once the application and its windows are gone.
    const ComApartment apartment = InitialiseProcess();
    try {
        TApplication application(resource::kMainIcon);
        StartUp(application);
        application.Run();
    } catch (const std::exception& e) {
        // Start-up failed before the loop could show anything: say so instead of vanishing.
        ShowReadableMessageBox(nullptr, Widen(TApplication::ErrorBoxText(e.what())), L"Quillfen",
                               MB_OK | MB_ICONSTOP, kFormFont);
    }
    return 0;
}

}  // namespace quillfen

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return quillfen::Quillfen2b(); }
