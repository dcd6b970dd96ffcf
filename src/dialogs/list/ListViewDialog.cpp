#include "dialogs/list/ListViewDialog.h"

namespace Dialog {

std::wstring ListViewDialog::ListViewItem::getText(int column) {
    return column >= 0 && column < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(column)]
                                                                    : std::wstring();
}

bool ListViewDialog::show() {
    auto& list = addItem<DialogItemListView<ListViewItem>>(size, false);
    for (const ColumnInfo& column : columns) list.addColumn(column.header, column.width);
    for (std::vector<std::wstring>& texts : rows) list.addItem(std::make_unique<ListViewItem>(std::move(texts)));
    rows.clear();
    return create(size);
}

}  // namespace Dialog
