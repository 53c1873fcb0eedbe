#include <gtest/gtest.h>

#include <cstring>

#include "CrossProcessReader.h"
#include "GuiTestSupport.h"
#include "ui/forms/Startup.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], quillfen::testing::kReaderSwitch) == 0)
        return quillfen::testing::RunAccessibilityReader(argc, argv);
    // As the program does: the apartment joined before the first window, left after the last.
    const quillfen::ComApartment apartment = quillfen::InitialiseProcess();
    ::testing::InitGoogleTest(&argc, argv);
    quillfen::testing::GuardAgainstForgottenDialogs();
    return RUN_ALL_TESTS();
}
