#include "ui/controls/Commands.h"

#include "ui/framework/Application.h"

namespace quillfen {

TAction& TActionManager::Add(std::string_view name, ActionKind kind, std::string_view category,
                             std::string_view caption, int imageIndex, std::string_view hint) {
    auto action = std::make_unique<TAction>();
    action->name = std::string(name);
    action->kind = kind;
    action->category = std::string(category);
    action->caption = std::string(caption);
    action->imageIndex = imageIndex;
    action->hint = std::string(hint);
    actions_.push_back(std::move(action));
    return *actions_.back();
}

TAction* TActionManager::Find(std::string_view name) noexcept {
    for (const auto& a : actions_) {
        if (a->name == name) return a.get();
    }
    return nullptr;
}

void TActionManager::Execute(TAction& action, TApplication& application) {
    if (!action.enabled) return;
    if (action.onExecute) {
        action.onExecute(action);
        return;
    }
    if (action.kind == ActionKind::FileExit) {
        // No help file is configured, so there is no help system to tell to quit.
        if (Form* main = application.MainForm()) main->Close();
    }
}

std::string_view LongHint(std::string_view hint) noexcept {
    const size_t bar = hint.find('|');
    return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

}  // namespace quillfen
