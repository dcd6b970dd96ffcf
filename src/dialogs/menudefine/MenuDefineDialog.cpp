#include "dialogs/menudefine/MenuDefineDialog.h"

#include <algorithm>

namespace Dialog {

MenuDefineDialogBase::MenuDefineItem::MenuDefineItem(Menu::MenuDefineBase& definition)
    : name(definition.getTranslatedName()),
      label(definition.label),
      visible(definition.hide == 0),
      definition(&definition) {}

std::wstring MenuDefineDialogBase::MenuDefineItem::getText(int column) {
    if (column == 0) return name;
    if (column == 1) return label;
    return {};
}

void MenuDefineDialogBase::MenuDefineItem::beginEdit(int column, DialogItem& editor) {
    if (column != 1) return;
    if (auto* combo = dynamic_cast<DialogItemComboBox*>(&editor)) combo->text = label;
}

void MenuDefineDialogBase::MenuDefineItem::endEdit(int column, DialogItem& editor) {
    if (column != 1) return;
    if (auto* combo = dynamic_cast<DialogItemComboBox*>(&editor)) label = combo->text;
}

DialogItemNameFolderComboBox& MenuDefineDialogBase::addLabelColumn() {
    auto editor = std::make_unique<DialogItemNameFolderComboBox>(L"", L"");
    DialogItemNameFolderComboBox& added = *editor;
    list->addColumn(L"ラベル", 240, std::move(editor));
    return added;
}

void MenuDefineDialogBase::collectLabels(std::vector<std::wstring>& choices) const {
    for (const MenuDefineItem* row : list->getItemList())
        if (!row->label.empty() && std::find(choices.begin(), choices.end(), row->label) == choices.end())
            choices.push_back(row->label);
}

std::vector<MenuDefineDialogBase::MenuDefineItem*> MenuDefineDialogBase::displayOrder() const {
    list->updateItemViewList();
    return list->getItemViewList();
}

MenuDefineDialogBase::MenuDefineItem* MenuDefineDialogBase::contextRow() const {
    return list->contextItem ? dynamic_cast<MenuDefineItem*>(list->contextItem) : nullptr;
}

void MenuDefineDialogBase::moveToTop() {
    if (MenuDefineItem* row = contextRow()) list->moveItem(list->getItemLine(row), 0);
}

void MenuDefineDialogBase::moveToEnd() {
    if (MenuDefineItem* row = contextRow())
        list->moveItem(list->getItemLine(row), static_cast<int>(list->items.size()) - 1);
}

void MenuDefineDialogBase::moveSameLabelToTop() {
    const MenuDefineItem* row = contextRow();
    if (!row) return;
    const std::wstring label = row->label;
    int target = 0;
    for (MenuDefineItem* each : displayOrder())
        if (each->label == label) list->moveItem(list->getItemLine(each), target++);
}

void MenuDefineDialogBase::moveSameLabelToEnd() {
    const MenuDefineItem* row = contextRow();
    if (!row) return;
    const std::wstring label = row->label;
    const std::vector<MenuDefineItem*> order = displayOrder();
    int target = static_cast<int>(order.size());
    for (auto each = order.rbegin(); each != order.rend(); ++each)
        if ((*each)->label == label) list->moveItem(list->getItemLine(*each), --target);
}

void MenuDefineDialogBase::groupByLabel() {
    const std::vector<MenuDefineItem*> order = displayOrder();
    std::vector<std::wstring> labels;
    for (const MenuDefineItem* row : order)
        if (std::find(labels.begin(), labels.end(), row->label) == labels.end()) labels.push_back(row->label);
    int target = 0;
    for (const std::wstring& label : labels)
        for (MenuDefineItem* row : order)
            if (row->label == label) list->moveItem(list->getItemLine(row), target++);
}

void MenuDefineDialogBase::setAllVisible(bool visible) {
    for (MenuDefineItem* row : list->getItemList()) row->setCheck(visible);
    list->update();
}

bool MenuDefineDialogBase::show() {
    auto& rows = addItem<ListView>(640, true);
    list = &rows;
    rows.addColumn(L"項目(表示順)", 400);
    DialogItemNameFolderComboBox& labels = addLabelColumn();
    rows.checkBoxes = true;
    loadItemList(rows);
    labels.refill = [this](std::vector<std::wstring>& choices) { collectLabels(choices); };
    const auto command = [this](void (MenuDefineDialogBase::*run)()) { return [this, run] { (this->*run)(); }; };
    rows.contextMenu = {
        {L"先頭に移動", command(&MenuDefineDialogBase::moveToTop)},
        {L"最後に移動", command(&MenuDefineDialogBase::moveToEnd)},
        {},
        {L"同じラベルの項目を全て先頭に移動", command(&MenuDefineDialogBase::moveSameLabelToTop)},
        {L"同じラベルの項目を全て最後に移動", command(&MenuDefineDialogBase::moveSameLabelToEnd)},
        {},
        {L"全ての項目をラベルのグループで纏める", command(&MenuDefineDialogBase::groupByLabel)},
        {},
        {L"全ての項目の表示を有効にする", [this] { setAllVisible(true); }},
        {L"全ての項目の表示を無効にする", [this] { setAllVisible(false); }},
    };
    if (!create(600)) return false;
    int order = 0;
    for (MenuDefineItem* row : rows.getItemViewList()) {
        row->definition->order = order++;
        row->definition->label = row->label;
        row->definition->hide = row->visible ? 0 : 1;
    }
    return true;
}

}  // namespace Dialog
