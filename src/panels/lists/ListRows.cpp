#include "panels/lists/ListRows.h"

#include "window/DeferredDelete.h"

namespace Component {

void clearRowsLater(Control::ListItemControl& list) {
    std::vector<std::unique_ptr<Control::ListItemBase>> rows = std::move(list.rows);
    list.rows.clear();
    for (std::unique_ptr<Control::ListItemBase>& row : rows) {
        row->control.detach();
        Window::deleteLater(std::move(row));
    }
}

}  // namespace Component
