// User commands as named objects, and the menu layout that refers to them by name.
#pragma once

#include <windows.h>
// The stream interface first: the image-list reader is declared only with it.
#include <objidl.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Text.h"
#include "ui/Handles.h"

namespace quillfen {

class TApplication;
class TForm1;
struct TAction;

enum class ActionKind : std::uint8_t {
    Plain,     // runs its execute handler
    FileExit,  // closes the main window, which ends the program
};

constexpr int kNoImage = -1;

// One stored command of the main window.
struct ActionDescription {
    std::string_view name;
    ActionKind kind;
    std::string_view category;
    std::string_view caption;  // "&" marks the mnemonic letter
    int imageIndex;            // into the command image list; kNoImage when none
    std::string_view hint;     // short part "|" long part
    void (TForm1::*execute)(TAction& sender);
};

// One stored menu line: a top-level entry with its own caption (level 0), or an item of
// the drop-down above it (level 1) naming its command; caption "-" is a separator.
struct MenuItemDescription {
    int level;
    std::string_view caption;
    std::string_view action;
};

template <typename T>
struct Table {
    const T* items;
    std::size_t count;
    const T* begin() const noexcept { return items; }
    const T* end() const noexcept { return items + count; }
};

// A command at run time. Enabled and visible at all times; no shortcut, no check state.
struct TAction {
    std::string name;
    ActionKind kind = ActionKind::Plain;
    std::string category;
    std::string caption;
    int imageIndex = kNoImage;
    std::string hint;
    bool enabled = true;
    bool visible = true;
    std::function<void(TAction&)> onExecute;
};

// The command manager: owns the commands for the life of the main window.
class TActionManager {
public:
    template <typename FormT>
    void Build(FormT& form, Table<ActionDescription> actions);

    TAction* Find(std::string_view name) noexcept;
    const std::vector<std::unique_ptr<TAction>>& Actions() const noexcept { return actions_; }

    // Runs the command: its handler, or the built-in behaviour of its kind.
    static void Execute(TAction& action, TApplication& application);

private:
    TAction& Add(const ActionDescription& d);
    std::vector<std::unique_ptr<TAction>> actions_;
};

template <typename FormT>
void TActionManager::Build(FormT& form, Table<ActionDescription> actions) {
    for (const ActionDescription& d : actions) {
        TAction& action = Add(d);
        if (d.execute) action.onExecute = [&form, h = d.execute](TAction& a) { (form.*h)(a); };
    }
}

// The text after the first "|" of a hint, or the whole hint when it has none.
std::string_view LongHint(std::string_view hint) noexcept;

// The upper-case letter after the first single "&" of a caption; 0 when there is none.
wchar_t MnemonicLetter(std::wstring_view caption) noexcept;

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

// Resolves a stored layout against the commands; throws on a name it does not know.
std::vector<MenuTop> BuildMenu(Table<MenuItemDescription> layout, TActionManager& actions);

struct ImageListTraits {
    using Type = HIMAGELIST;
    static void Close(HIMAGELIST h) noexcept;
};
using ImageListHandle = Handle<ImageListTraits>;

// Reads an image list from its stored stream; throws when the bytes do not hold one.
ImageListHandle ReadImageList(std::string_view stream);

}  // namespace quillfen
