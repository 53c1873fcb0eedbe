// The program's start-up sequence, shared by its entry and the GUI tests.
#pragma once

#include "ui/win32/ComApartment.h"

namespace quillfen {

class TApplication;
class TForm1;

// Before the first window: the thread's COM apartment, the real screen density for the
// scaling, the common controls, the regional time settings, and the program's words for
// what the platform refuses. The apartment returned is to be kept until the last window
// is gone.
[[nodiscard]] ComApartment InitialiseProcess();

// The title and the main window, built hidden; it becomes the main window.
TForm1& BuildMainWindow(TApplication& application);
// As the program starts: the main window now, the About box at the first idle moment.
TForm1& StartUp(TApplication& application);

}  // namespace quillfen
