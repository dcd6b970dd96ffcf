#pragma once
// The dialogs that arrange a popup built from menu definitions: one row per
// definition with a check box for whether it is shown, its name and its
// label (the group path of the popup it goes into). Rows are reordered by
// dragging, by sorting on a column title or by the context commands, which
// also group rows by label and tick or untick them all. OK writes the
// display order (0, 1, 2 ...), the labels and the hide flags back into the
// definitions; cancel changes nothing. The opener sets the title.
// User-interface thread only.
#include "core/file/MenuDefineBase.h"
#include "dialogs/list/DialogItemListView.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogTemplate.h"

#include <string>
#include <vector>

namespace Dialog {

// What every kind of the dialog shares; the kinds differ in their rows.
class MenuDefineDialogBase : public DialogTemplate {
public:
    class MenuDefineItem : public DialogItemListViewBase::Item {
    public:
        explicit MenuDefineItem(Menu::MenuDefineBase& definition);
        // Column 0 the name, column 1 the label.
        std::wstring getText(int column) override;
        // Column 1 with a combo box editor: the label goes in and comes back.
        void beginEdit(int column, DialogItem& editor) override;
        void endEdit(int column, DialogItem& editor) override;
        void setCheck(bool check) override { visible = check; }
        bool getCheck() override { return visible; }

        const std::wstring name;
        std::wstring label;
        bool visible;
        Menu::MenuDefineBase* definition;
    };
    using ListView = DialogItemListView<MenuDefineItem>;

    using DialogTemplate::DialogTemplate;

    // True after OK, when the definitions took the rows' order, labels and
    // visibility.
    bool show();

    // The label column and its editor.
    DialogItemNameFolderComboBox& addLabelColumn();
    // Adds the rows' non-empty labels not yet in choices, in load order.
    void collectLabels(std::vector<std::wstring>& choices) const;

    // The context commands; those about a row act on the list's
    // contextItem and do nothing without one.
    void moveToTop();
    void moveToEnd();
    void moveSameLabelToTop();
    void moveSameLabelToEnd();
    void groupByLabel();
    void setAllVisible(bool visible);

    // The list row; null before show.
    ListView* list = nullptr;

protected:
    // Appends one row per definition of the dialog's source list, in order.
    virtual void loadItemList(ListView& rows) = 0;

private:
    std::vector<MenuDefineItem*> displayOrder() const;
    MenuDefineItem* contextRow() const;
};

// The kind over definitions of class T: its source list gives the rows.
template <class T>
class MenuDefineDialog : public MenuDefineDialogBase {
public:
    using MenuDefineDialogBase::MenuDefineDialogBase;

protected:
    // The definitions in the order they are shown in their popups.
    virtual std::vector<T*> getDefinitionList() const = 0;

    void loadItemList(ListView& rows) override {
        for (T* definition : getDefinitionList()) rows.addItem(std::make_unique<MenuDefineItem>(*definition));
    }
};

}  // namespace Dialog
