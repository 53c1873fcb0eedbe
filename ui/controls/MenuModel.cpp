#include "ui/controls/MenuModel.h"

#include "logic/Exception.h"
#include "ui/win32/Mnemonic.h"

namespace quillfen {

wchar_t MnemonicLetter(std::wstring_view caption) noexcept {
    return UpperAscii(MnemonicChar(caption));
}

std::vector<MenuTop> BuildMenu(std::span<const MenuItemDescription> layout,
                               TActionManager& actions) {
    std::vector<MenuTop> menu;
    for (const MenuItemDescription& d : layout) {
        if (d.level == 0) {
            MenuTop top;
            top.caption = Widen(d.caption);
            top.mnemonic = MnemonicLetter(top.caption);
            menu.push_back(std::move(top));
            continue;
        }
        if (menu.empty()) throw Exception("menu item before its top-level entry");
        MenuEntry entry;
        if (d.caption == "-") {
            entry.separator = true;
        } else {
            entry.action = actions.Find(d.action);
            if (!entry.action) throw Exception("menu item names an unknown command");
            entry.caption = Widen(entry.action->caption);
            entry.imageIndex = entry.action->imageIndex;
            entry.mnemonic = MnemonicLetter(entry.caption);
        }
        menu.back().items.push_back(std::move(entry));
    }
    return menu;
}

}  // namespace quillfen
