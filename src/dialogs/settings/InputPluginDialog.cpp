#include "dialogs/settings/InputPluginDialog.h"

#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/text/StringUtility.h"
#include "core/translate/TranslateService.h"
#include "dialogs/menus/EditMenuActions.h"
#include "dialogs/template/DialogItemText.h"
#include "edit/service/EditService.h"
#include "plugin/input/InputPlugin.h"
#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"

namespace Dialog {

namespace {

constexpr int kEditColumn = 1;

// Platform key codes the editor's filter sees.
constexpr UINT kKeyUp = 0x0101;
constexpr WPARAM kReturn = 0x0D;

}  // namespace

InputPluginDialog::InputPluginItem::InputPluginItem(Plugin::InputPlugin& reader)
    : name(Translate::TranslateService::translate(Translate::TranslateService::Table::Menu, reader.name.c_str())),
      extensions(filterExtensions(System::String::join(reader.getExtList(), L','), false)),
      reader(&reader) {}

std::wstring InputPluginDialog::InputPluginItem::getText(int column) {
    if (column == 0) return name;
    if (column == kEditColumn) return extensions;
    return {};
}

void InputPluginDialog::InputPluginItem::beginEdit(int column, DialogItem& editor) {
    if (column == kEditColumn) static_cast<DialogItemText&>(editor).text = extensions;
}

void InputPluginDialog::InputPluginItem::endEdit(int column, DialogItem& editor) {
    if (column != kEditColumn) return;
    extensions = filterExtensions(static_cast<DialogItemText&>(editor).text, true);
    if (extensions.empty()) resetExtensions();
}

void InputPluginDialog::InputPluginItem::resetExtensions() {
    extensions = filterExtensions(System::String::join(System::FileName::getFilterExtensions(reader->fileFilter), L','),
                                  false);
}

std::wstring InputPluginDialog::filterExtensions(const std::wstring& text, bool lower) {
    std::wstring kept;
    for (wchar_t c : text) {
        const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
        if (!letter && !(c >= L'0' && c <= L'9') && c != L',' && c != L'_' && c != L'-') continue;
        if (lower && c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        kept += c;
    }
    return kept;
}

void InputPluginDialog::buildList() {
    auto* inputs = System::Singleton<Plugin::InputService>::getInstance();
    list = &addItem<DialogItemListView<InputPluginItem>>(400, true);
    list->addColumn(L"プラグイン(優先順位)", 300);
    auto editor = std::make_unique<DialogItemText>(L"", L"", false);
    DialogItemListViewBase* owner = list;
    editor->filter = [owner](UINT message, WPARAM wParam, LPARAM) {
        if (message == kKeyUp && wParam == kReturn) owner->endEdit();
        return false;
    };
    list->addColumn(L"拡張子", 400, std::move(editor));
    if (inputs)
        for (const auto& reader : inputs->pluginList) list->addItem(std::make_unique<InputPluginItem>(*reader));

    auto onItem = [this](auto action) {
        return [this, action] {
            if (auto* item = static_cast<InputPluginItem*>(list->contextItem)) action(*item);
        };
    };
    list->contextMenu = {
        {L"先頭に移動", onItem([this](InputPluginItem& item) { list->moveItem(list->getItemLine(&item), 0); })},
        {L"最後に移動",
         onItem([this](InputPluginItem& item) { list->moveItem(list->getItemLine(&item), static_cast<int>(list->items.size()) - 1); })},
        {L"", {}},
        {L"拡張子を標準に戻す", onItem([this](InputPluginItem& item) {
             item.resetExtensions();
             list->update();
         })},
        {L"", {}},
        {L"プラグインの設定", onItem([this](InputPluginItem& item) {
             if (item.reader->kindFlags & Plugin::InputPlugin::KindSetting) item.reader->showSetting(list->window);
         })},
    };
    note = L"プラグイン項目の右クリックメニューから設定が出来ます";
}

bool InputPluginDialog::show() {
    auto* caches = System::Singleton<Cache::CacheService>::getInstance();
    // No reader is in use by the waveform loader while the dialog is open.
    if (caches) caches->waveformCache.drain();
    buildList();
    if (!create(700)) return false;
    apply();
    return true;
}

void InputPluginDialog::apply() {
    const std::vector<InputPluginItem*> lines = list->getItemViewList();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i]->reader->priority = static_cast<int>(i);
        lines[i]->reader->setExtList(lines[i]->extensions);
    }
    auto* edit = System::Singleton<Edit::EditService>::getInstance();
    auto* inputs = System::Singleton<Plugin::InputService>::getInstance();
    if (!edit) {
        if (inputs) inputs->updateExtTypeList();
        return;
    }
    // The caches and the open files go while the scope holds the project
    // lock, so no render uses a reader meanwhile.
    Menu::EditActions::discardCachesAnd(*edit, [inputs] {
        if (inputs) inputs->updateExtTypeList();
    });
}

}  // namespace Dialog
