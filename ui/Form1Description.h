// The stored layout of the main window.
#pragma once

#include "ui/Actions.h"
#include "ui/FormDescription.h"

namespace quillfen {

class TForm1;
const FormDescription<TForm1>& Form1Description();
// The commands of ActionManager1 and the menu layout of ActionMainMenuBar1.
Table<ActionDescription> Form1Actions();
Table<MenuItemDescription> Form1MenuLayout();

}  // namespace quillfen
