#include "ui/forms/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include "logic/ClockTime.h"
#include "ui/forms/About.h"
#include "ui/forms/FormFonts.h"
#include "ui/forms/ProgramTexts.h"
#include "ui/forms/Quillfen2bU.h"
#include "ui/framework/Application.h"
#include "ui/win32/DisplayMetrics.h"

namespace quillfen {

ComApartment InitialiseProcess() {
    ComApartment apartment;
    DeclareDensityAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    LoadClockSettings();
    SetFailureWords(&FailureWordsOfProgram);
    return apartment;
}

TForm1& BuildMainWindow(TApplication& application) {
    application.SetTitle("Quillfen");
    application.SetErrorBoxFallbackFont(kFormFont);
    return application.CreateForm<TForm1>();
}

TForm1& StartUp(TApplication& application) {
    TForm1& form = BuildMainWindow(application);
    // The About box is only reached through the menu: it is built once the main window is
    // up and idle, hidden, as the second owned form.
    application.WhenFirstIdle([&application] { application.CreateForm<TAboutBox>(); });
    return form;
}

}  // namespace quillfen
