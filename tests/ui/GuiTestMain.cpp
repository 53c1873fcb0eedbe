#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "ui/forms/Startup.h"

int main(int argc, char** argv) {
    quillfen::InitialiseProcess();
    ::testing::InitGoogleTest(&argc, argv);
    quillfen::testing::GuardAgainstForgottenDialogs();
    return RUN_ALL_TESTS();
}
