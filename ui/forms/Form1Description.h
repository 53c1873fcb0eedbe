// The stored layout of the main window, its commands and its menu.
#pragma once

#include <span>

#include "ui/controls/Commands.h"
#include "ui/controls/MenuModel.h"
#include "ui/framework/FormDescription.h"

namespace quillfen {

class TForm1;
const FormTable<TForm1>& Form1Description();
// The commands of ActionManager1 and the menu layout of ActionMainMenuBar1.
std::span<const ActionDescription<TForm1>> Form1Actions();
std::span<const MenuItemDescription> Form1MenuLayout();

}  // namespace quillfen
