// The stored layout of the main window.
#pragma once

#include "ui/FormDescription.h"

namespace quillfen {

class TForm1;
const FormDescription<TForm1>& Form1Description();

}  // namespace quillfen
