#include "dialogs/list/DialogItemListView.h"

#include "core/base/Exception.h"
#include "core/text/NaturalCompare.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"

#include <algorithm>

namespace Dialog {

void throwListException(const char* place, const char* message) { throw System::makeException(place, message); }

DialogItemListViewBase::DialogItemListViewBase(int listHeight, bool dragReorder) : dragReorder(dragReorder) {
    height = listHeight;
}

DialogItemListViewBase::~DialogItemListViewBase() = default;

void DialogItemListViewBase::addColumn(std::wstring header, int columnWidth, std::unique_ptr<DialogItem> editor) {
    Column column;
    column.header = std::move(header);
    column.width = columnWidth;
    column.editor = std::move(editor);
    columns.push_back(std::move(column));
}

void DialogItemListViewBase::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    dialog = &owner;
    Platform::ListView::Events events;
    events.text = [](void* item, int column) {
        return System::String::toUtf8(static_cast<Item*>(item)->getText(column));
    };
    events.check = [](void* item) { return static_cast<Item*>(item)->getCheck(); };
    events.mouseMove = [this](int px, int py) { mouseMove(px, py); };
    events.leftDown = [this](int px, int py) { leftButtonDown(px, py); };
    events.rightDown = [this](int, int) { endEdit(); };
    events.rightUp = [this](int px, int py) { rightButtonUp(px, py); };
    events.captureLost = [this] { captureLost(); };
    events.columnClick = [this](int column) {
        endEdit();
        sortByColumn(column);
    };
    events.beginScroll = [this] { endEdit(); };
    // The display order is kept for the owning dialog before the list goes.
    events.destroying = [this] { updateItemViewList(); };
    list_ = std::make_unique<Platform::ListView>(owner, Platform::RECT{x, y, x + w, y + h}, checkBoxes,
                                                 std::move(events));
    window = list_->widget();
    for (Column& column : columns) {
        list_->addColumn(translateDialogText(column.header), column.width);
        if (!column.editor) continue;
        column.editor->create(owner, 0, 0, 0, 0);
        Platform::DialogWindow::show(column.editor->window, false);
        list_->watchFocus(column.editor->window, [this] { endEdit(); });
    }
    for (const auto& item : items) list_->addLine(item.get());
}

void DialogItemListViewBase::update() {
    if (list_) list_->redraw();
}

bool DialogItemListViewBase::endEdit() {
    if (editLine < 0) return true;
    DialogItem* editor = editColumn >= 0 && editColumn < static_cast<int>(columns.size())
                             ? columns[static_cast<std::size_t>(editColumn)].editor.get()
                             : nullptr;
    if (!editor) {
        editLine = editColumn = -1;
        return true;
    }
    if (!editor->submit()) return false;
    getItem(editLine)->endEdit(editColumn, *editor);
    list_->redraw();
    editLine = editColumn = -1;
    Platform::DialogWindow::show(editor->window, false);
    dialog->focusDialog();
    return true;
}

void DialogItemListViewBase::moveItem(int from, int to) {
    if (!list_ || from < 0 || to < 0) return;
    const int last = list_->count() - 1;
    from = std::min(from, last);
    to = std::min(to, last);
    if (from == to || from < 0) return;
    const int step = from < to ? 1 : -1;
    for (int line = from; line != to; line += step) {
        void* here = list_->item(line);
        void* next = list_->item(line + step);
        if (!here || !next) throwListException("Dialog::DialogItemListViewBase::moveItem", "ListView_GetItem failed.");
        list_->setItem(line, next);
        list_->setItem(line + step, here);
    }
}

int DialogItemListViewBase::getItemLine(const Item* item) const {
    const int count = list_ ? list_->count() : 0;
    for (int line = 0; line < count; ++line)
        if (list_->item(line) == item) return line;
    throwListException("Dialog::DialogItemListViewBase::getItemLine", "ListView_FindItem not found.");
}

DialogItemListViewBase::Item* DialogItemListViewBase::getItem(int line) const {
    void* item = list_ ? list_->item(line) : nullptr;
    if (!item) throwListException("Dialog::DialogItemListViewBase::getItem", "ListView_GetItem failed.");
    return static_cast<Item*>(item);
}

void DialogItemListViewBase::updateItemViewList() {
    if (!list_ || !list_->alive()) return;
    viewItems.clear();
    const int count = list_->count();
    for (int line = 0; line < count; ++line) {
        void* item = list_->item(line);
        if (!item)
            throwListException("Dialog::DialogItemListViewBase::updateItemViewList", "ListView_GetItem failed.");
        viewItems.push_back(static_cast<Item*>(item));
    }
}

void DialogItemListViewBase::sortByColumn(int column) {
    if (!list_ || column < 0 || column >= static_cast<int>(columns.size())) return;
    Column& sorted = columns[static_cast<std::size_t>(column)];
    std::vector<void*> lines;
    for (int line = 0; line < list_->count(); ++line) lines.push_back(list_->item(line));
    const bool ascending = sorted.ascending;
    std::stable_sort(lines.begin(), lines.end(), [&](void* a, void* b) {
        const int order = System::compareStringNatural(static_cast<Item*>(a)->getText(column),
                                                       static_cast<Item*>(b)->getText(column));
        return ascending ? order < 0 : order > 0;
    });
    list_->setOrder(lines);
    list_->redraw();
    sorted.ascending = !sorted.ascending;
}

void DialogItemListViewBase::mouseMove(int x, int y) {
    if (dragging) {
        const int body = list_->bodyHeight();
        if (y < 0) list_->scrollBy(y);
        else if (y >= body) list_->scrollBy(y - body + 1);
        const Platform::ListView::Hit hit = list_->hitTest(std::max(x, 0), std::clamp(y, 0, std::max(0, body - 1)));
        if (hit.line >= 0 && hit.column >= 0 && dragItem) {
            const int from = getItemLine(dragItem);
            if (from != hit.line) {
                moveItem(from, hit.line);
                list_->select(hit.line);
            }
        }
        list_->setCursor("ns-resize");
        return;
    }
    const Platform::ListView::Hit hit = list_->hitTest(x, y);
    if (hit.line < 0) return;
    const bool editable = hit.column >= 0 && columns[static_cast<std::size_t>(hit.column)].editor;
    list_->setCursor(dragReorder || (checkBoxes && hit.onCheck) || editable ? "pointer" : "");
    list_->select(hit.line);
}

void DialogItemListViewBase::leftButtonDown(int x, int y) {
    const Platform::ListView::Hit hit = list_->hitTest(x, y);
    if (!endEdit()) return;
    if (hit.line < 0) return;
    Item* item = getItem(hit.line);
    if (checkBoxes && hit.onCheck) {
        item->setCheck(!item->getCheck());
        list_->redraw();
        return;
    }
    DialogItem* editor =
        hit.column >= 0 ? columns[static_cast<std::size_t>(hit.column)].editor.get() : nullptr;
    if (editor) {
        if (editLine == hit.line && editColumn == hit.column) return;
        if (!endEdit()) return;
        editLine = hit.line;
        editColumn = hit.column;
        item->beginEdit(hit.column, *editor);
        editor->update();
        Platform::DialogWindow::move(editor->window, list_->cellRect(hit.line, hit.column));
        Platform::DialogWindow::show(editor->window, true);
        Platform::DialogWindow::focus(editor->window);
        return;
    }
    if (dragReorder) {
        dragItem = item;
        dragging = true;
        list_->setCursor("ns-resize");
    }
}

void DialogItemListViewBase::rightButtonUp(int x, int y) {
    endEdit();
    if (contextMenu.empty()) return;
    const Platform::ListView::Hit hit = list_->hitTest(x, y);
    contextItem = hit.line >= 0 ? getItem(hit.line) : nullptr;
    if (onContextMenu) onContextMenu();
    std::vector<std::string> labels;
    for (const Command& command : contextMenu)
        labels.push_back(command.label.empty() ? std::string()
                                               : System::String::toUtf8(Translate::TranslateService::translate(
                                                     Translate::TranslateService::Table::Menu, command.label.c_str())));
    const int picked = list_->popupMenu(labels);
    if (picked >= 0 && contextMenu[static_cast<std::size_t>(picked)].action)
        contextMenu[static_cast<std::size_t>(picked)].action();
}

}  // namespace Dialog
