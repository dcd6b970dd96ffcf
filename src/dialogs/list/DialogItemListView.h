#pragma once
// A dialog row that edits a list: a report list whose lines are objects of
// the caller handing out their cell texts on demand. A click on a cell of a
// column with an editor opens that editor over the cell; a click on a check
// box flips the object's check (the object alone holds it, so keys cannot);
// lines can be dragged to another place; a header click sorts by that
// column in natural order, ascending then descending; a right click offers
// the owning dialog's commands on the line under the pointer.
// User-interface thread only.
#include "dialogs/template/DialogItem.h"
#include "platform/gtk/ListView.h"

#include <memory>
#include <string>
#include <vector>

namespace Dialog {

class DialogItemListViewBase : public DialogItem {
public:
    class Item {
    public:
        virtual ~Item() = default;
        virtual std::wstring getText(int column) = 0;
        // The editor gets the cell's value before editing and gives the
        // accepted value back after.
        virtual void beginEdit(int column, DialogItem& editor) = 0;
        virtual void endEdit(int column, DialogItem& editor) = 0;
        virtual void setCheck(bool check) { (void)check; }
        virtual bool getCheck() { return false; }
    };

    struct Column {
        std::wstring header;
        int width = 0;
        // Null: the column is read-only.
        std::unique_ptr<DialogItem> editor;
        // Direction of the next sort by this column.
        bool ascending = true;
    };

    struct Command {
        std::wstring label;
        std::function<void()> action;
    };

    // height: the list's height in the dialog.
    DialogItemListViewBase(int height, bool dragReorder);
    ~DialogItemListViewBase() override;

    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    // Commits an open editor; refused when the editor refuses.
    bool submit() override { return endEdit(); }
    void update() override;

    void addColumn(std::wstring header, int width, std::unique_ptr<DialogItem> editor = nullptr);
    void addItem(std::unique_ptr<Item> item) { items.push_back(std::move(item)); }

    // Closes the open cell editor, taking its value; false (the editor
    // stays open with its reason) when the editor refuses.
    bool endEdit();
    // Moves the line at from to to; the lines between shift by one.
    void moveItem(int from, int to);
    // Throws when the item is not in the list.
    int getItemLine(const Item* item) const;
    Item* getItem(int line) const;
    // Captures the display order while the list exists.
    void updateItemViewList();
    // Sorts every line by the column in its current direction, then flips
    // the direction.
    void sortByColumn(int column);

    // The list's pointer handling (its own pixels).
    void mouseMove(int x, int y);
    void leftButtonDown(int x, int y);
    void rightButtonUp(int x, int y);
    void captureLost() { dragging = false; dragItem = nullptr; }

    std::function<void()> onContextMenu;
    // The right-click menu; a command without label is a separator.
    std::vector<Command> contextMenu;
    bool checkBoxes = false;
    bool dragReorder;
    bool dragging = false;
    Item* dragItem = nullptr;
    Item* contextItem = nullptr;
    int editLine = -1;
    int editColumn = -1;
    std::vector<Column> columns;
    std::vector<std::unique_ptr<Item>> items;
    std::vector<Item*> viewItems;

    Platform::ListView* listView() const { return list_.get(); }

private:
    std::unique_ptr<Platform::ListView> list_;
};

// The same row with lines of class T.
template <class T>
class DialogItemListView : public DialogItemListViewBase {
public:
    using DialogItemListViewBase::DialogItemListViewBase;
    // In load order.
    std::vector<T*> getItemList() const { return cast(items, "Dialog::DialogItemListView::getItemList"); }
    // In the display order last captured.
    std::vector<T*> getItemViewList() const { return cast(viewItems, "Dialog::DialogItemListView::getItemViewList"); }

private:
    template <class List>
    static std::vector<T*> cast(const List& list, const char* place) {
        std::vector<T*> out;
        for (const auto& item : list) {
            T* typed = dynamic_cast<T*>(&*item);
            if (!typed) throwInvalidItemClass(place);
            out.push_back(typed);
        }
        return out;
    }
    [[noreturn]] static void throwInvalidItemClass(const char* place);
};

[[noreturn]] void throwListException(const char* place, const char* message);

template <class T>
void DialogItemListView<T>::throwInvalidItemClass(const char* place) {
    throwListException(place, "invalid item class.");
}

}  // namespace Dialog
