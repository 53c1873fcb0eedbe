// Program entry: reads the regional time settings, builds the application object and
// its two forms, and runs the event loop. The exit code is always 0.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/Application.h"
#include "logic/ClockTime.h"
#include "ui/About.h"
#include "ui/Quillfen2bU.h"
#include "ui/Text.h"

namespace quillfen {

int Quillfen2b() {
    // Before the first window, so the scaling sees the real screen density.
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    LoadClockSettings();
    try {
        TApplication application;
        application.SetTitle("Quillfen");
        application.CreateForm<TForm1>();
        // The About box is only reached through the menu: it is built once the main
        // window is up and idle, hidden, as the second owned form.
        application.WhenFirstIdle([&application] { application.CreateForm<TAboutBox>(); });
        application.Run();
    } catch (const std::exception& e) {
        // Start-up failed before the loop could show anything: say so instead of vanishing.
        ::MessageBoxW(nullptr, Widen(TApplication::ErrorBoxText(e.what())).c_str(), L"Quillfen",
                      MB_OK | MB_ICONSTOP);
    }
    return 0;
}

}  // namespace quillfen

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return quillfen::Quillfen2b(); }
