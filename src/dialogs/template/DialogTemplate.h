#pragma once
// A dialog built in memory from rows, run modally with OK and Cancel inside
// the program's modal scope. OK reads every row back in order; the first
// refusal keeps the dialog open. User-interface thread only.
#include "dialogs/template/DialogItem.h"

#include <memory>
#include <string>
#include <vector>

namespace Dialog {

class DialogTemplate {
public:
    explicit DialogTemplate(std::wstring title = {}) : title(std::move(title)) {}

    template <class Item, class... Args>
    Item& addItem(Args&&... args) {
        auto item = std::make_unique<Item>(std::forward<Args>(args)...);
        Item& added = *item;
        items.push_back(std::move(item));
        return added;
    }

    // True after an accepted OK; the rows then hold the values read back.
    bool show();

    std::wstring title;
    std::vector<std::unique_ptr<DialogItem>> items;
};

}  // namespace Dialog
