// The menu layout as stored (lines naming commands) and as the menu bar shows it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "ui/controls/Commands.h"
#include "ui/win32/Text.h"

namespace quillfen {

// One stored menu line: a top-level entry with its own caption (level 0), or an item of
// the drop-down above it (level 1) naming its command; caption "-" is a separator.
struct MenuItemDescription {
    int level;
    std::string_view caption = {};
    std::string_view action = {};
};

// One drop-down item of the menu bar at run time.
struct MenuEntry {
    WideString caption;
    TAction* action = nullptr;  // null for a separator
    int imageIndex = kNoImage;
    bool separator = false;
    wchar_t mnemonic = 0;
};

// One top-level entry with its drop-down.
struct MenuTop {
    WideString caption;
    wchar_t mnemonic = 0;
    std::vector<MenuEntry> items;
};

// The upper-case (ASCII) letter after the first single "&" of a caption; 0 when none.
wchar_t MnemonicLetter(std::wstring_view caption) noexcept;

// Resolves a stored layout against the commands; throws on a name it does not know.
std::vector<MenuTop> BuildMenu(std::span<const MenuItemDescription> layout,
                               TActionManager& actions);

}  // namespace quillfen
