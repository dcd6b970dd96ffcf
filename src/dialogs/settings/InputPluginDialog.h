#pragma once
// Which reader opens a media file: the readers in priority order (the
// first that takes a file's extension opens it), each with its extension
// list. Lines are reordered by dragging or from the context menu, the
// extensions edited in place (Enter commits); OK makes the order the
// priorities, stores the lists and has every media file read again.
// User-interface thread only.
#include "dialogs/list/DialogItemListView.h"
#include "dialogs/template/DialogTemplate.h"

namespace Plugin {
class InputPlugin;
}

namespace Dialog {

class InputPluginDialog : public DialogTemplate {
public:
    class InputPluginItem : public DialogItemListViewBase::Item {
    public:
        explicit InputPluginItem(Plugin::InputPlugin& reader);
        std::wstring getText(int column) override;
        void beginEdit(int column, DialogItem& editor) override;
        void endEdit(int column, DialogItem& editor) override;
        // The reader's own extensions.
        void resetExtensions();

        std::wstring name;
        std::wstring extensions;
        Plugin::InputPlugin* reader;
    };

    using DialogTemplate::DialogTemplate;
    bool show();

    // Keeps ASCII letters and digits, ',', '_' and '-'; with lower, the
    // letters in lower case.
    static std::wstring filterExtensions(const std::wstring& text, bool lower);

    // The list while the dialog is built and shown.
    DialogItemListView<InputPluginItem>* list = nullptr;

private:
    void buildList();
    // Gives each reader its place as priority and its line's extensions,
    // then drops every cache and rebuilds the extension tables.
    void apply();
};

}  // namespace Dialog
