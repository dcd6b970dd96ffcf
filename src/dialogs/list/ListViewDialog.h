#pragma once
// A read-only table in a dialog: columns with their headers and widths and
// rows of texts; the table can be sorted by its headers, nothing is edited.
// User-interface thread only.
#include "dialogs/list/DialogItemListView.h"
#include "dialogs/template/DialogTemplate.h"

namespace Dialog {

class ListViewDialog : public DialogTemplate {
public:
    class ListViewItem : public DialogItemListViewBase::Item {
    public:
        explicit ListViewItem(std::vector<std::wstring> texts) : texts(std::move(texts)) {}
        std::wstring getText(int column) override;
        void beginEdit(int, DialogItem&) override {}
        void endEdit(int, DialogItem&) override {}
        std::vector<std::wstring> texts;
    };

    struct ColumnInfo {
        std::wstring header;
        int width = 0;
    };

    using DialogTemplate::DialogTemplate;
    // Runs the dialog; the rows are moved into the list.
    bool show();

    std::vector<ColumnInfo> columns;
    std::vector<std::vector<std::wstring>> rows;
    // The list's height and the dialog's minimum width.
    int size = 400;
};

}  // namespace Dialog
