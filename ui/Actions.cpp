#include "ui/Actions.h"

#include "app/Application.h"
#include "logic/ClockTime.h"
#include "ui/MemoryStream.h"
#include "ui/Text.h"

namespace quillfen {

TAction& TActionManager::Add(const ActionDescription& d) {
    auto action = std::make_unique<TAction>();
    action->name = std::string(d.name);
    action->kind = d.kind;
    action->category = std::string(d.category);
    action->caption = std::string(d.caption);
    action->imageIndex = d.imageIndex;
    action->hint = std::string(d.hint);
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

wchar_t MnemonicLetter(std::wstring_view caption) noexcept {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        const wchar_t c = caption[i + 1];
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    return 0;
}

std::vector<MenuTop> BuildMenu(Table<MenuItemDescription> layout, TActionManager& actions) {
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

void ImageListTraits::Close(HIMAGELIST h) noexcept { ::ImageList_Destroy(h); }

ImageListHandle ReadImageList(std::string_view stream) {
    MemoryStream memory(stream);
    ImageListHandle list(::ImageList_Read(&memory));
    if (!list) throw Exception("ストリームからの ImageList データの読み込みに失敗しました");
    return list;
}

}  // namespace quillfen
