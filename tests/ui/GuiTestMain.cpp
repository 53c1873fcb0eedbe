#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "logic/ClockTime.h"

int main(int argc, char** argv) {
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    quillfen::LoadClockSettings();
    ::testing::InitGoogleTest(&argc, argv);
    quillfen::testing::GuardAgainstForgottenDialogs();
    return RUN_ALL_TESTS();
}
