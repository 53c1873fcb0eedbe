// User commands as named objects, built from a stored table of the form that owns them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

class TApplication;
struct TAction;

enum class ActionKind : std::uint8_t {
    Plain,     // runs its execute handler
    FileExit,  // closes the main window, which ends the program
};

constexpr int kNoImage = -1;

// One stored command of a form.
template <typename FormT>
struct ActionDescription {
    std::string_view name;
    ActionKind kind = ActionKind::Plain;
    std::string_view category;
    std::string_view caption;     // "&" marks the mnemonic letter
    int imageIndex = kNoImage;    // into the command image list
    std::string_view hint = {};   // short part "|" long part
    void (FormT::*execute)(TAction& sender) = nullptr;
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

// The command manager: owns the commands for the life of the form.
class TActionManager {
public:
    template <typename FormT>
    void Build(FormT& form, std::span<const ActionDescription<FormT>> actions) {
        for (const ActionDescription<FormT>& d : actions) {
            TAction& action = Add(d.name, d.kind, d.category, d.caption, d.imageIndex, d.hint);
            if (d.execute) action.onExecute = [&form, h = d.execute](TAction& a) { (form.*h)(a); };
        }
    }

    TAction* Find(std::string_view name) noexcept;
    const std::vector<std::unique_ptr<TAction>>& Actions() const noexcept { return actions_; }

    // Runs the command: its handler, or the built-in behaviour of its kind.
    static void Execute(TAction& action, TApplication& application);

private:
    TAction& Add(std::string_view name, ActionKind kind, std::string_view category,
                 std::string_view caption, int imageIndex, std::string_view hint);
    std::vector<std::unique_ptr<TAction>> actions_;
};

// The text after the first "|" of a hint, or the whole hint when it has none.
std::string_view LongHint(std::string_view hint) noexcept;

}  // namespace quillfen
