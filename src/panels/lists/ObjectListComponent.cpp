#include "panels/lists/ObjectListComponent.h"

#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "edit/command/ClipboardCommand.h"
#include "edit/command/ObjectMenuCommand.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectBase.h"
#include "panels/lists/ListRows.h"
#include "panels/lists/ObjectButtonControl.h"
#include "window/ClientPlacement.h"

namespace Component {

namespace {

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

int headerHeight(const Control::TitleHeaderControl& header) {
    return header.floating ? 0 : Setting::TitleHeaderHeight + 2;
}

bool passes(const Effect::EffectBase& effect, const ObjectListComponent::DisplayOptions& options) {
    namespace Kind = Effect::EffectKind;
    int kindOption = 0;
    switch (effect.effectType) {
    case Kind::Input: kindOption = options.media; break;
    case Kind::Control: kindOption = options.control; break;
    case Kind::Filter: kindOption = options.filter; break;
    default: return false;
    }
    const bool video = effect.mediaType == Effect::MediaKind::Video || effect.mediaType == Effect::MediaKind::VideoAudio;
    return kindOption == 1 && (video ? options.video : options.audio) == 1;
}

Window::MenuEntry command(const wchar_t* text, std::function<void()> action, bool enabled = true) {
    return {Window::MenuEntry::Kind::Command, menuText(text), enabled, false, std::move(action), {}};
}

}  // namespace

ObjectListComponent::ObjectListComponent()
    : WindowClientRenderTarget(L"オブジェクトリスト", "Window.object.list", &Window::Placements::objectList,
                               FloatsWithCaption),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      header(owner, L"オブジェクトリスト"),
      list(owner, headerHeight(header)) {
    acceptsContextMenu = true;
    if (eventService) {
        eventService->frameChange.add(eventKey(), [this](int) { rebuildList(); });
        eventService->sceneChange.add(eventKey(), [this](int) { rebuildList(); });
        eventService->objectUpdate.add(eventKey(), [this](std::shared_ptr<Edit::Object>&) { rebuildList(); });
        eventService->focusObjectChange.add(eventKey(), [this](std::shared_ptr<Edit::Object>&) { list.procPaint(); });
        eventService->selectObjectChange.add(eventKey(), [this] { list.procPaint(); });
    }
    procMove();
    rebuildList();
}

ObjectListComponent::~ObjectListComponent() {
    // Before the list goes: no listener may reach it.
    if (eventService) eventService->removeListener(eventKey());
}

std::unique_ptr<ObjectListComponent>& ObjectListComponent::instance() {
    static std::unique_ptr<ObjectListComponent> slot;
    return slot;
}

std::vector<Edit::ObjectPointer> ObjectListComponent::collectObjects(const Edit::Scene& scene,
                                                                     const DisplayOptions& options) {
    std::vector<Edit::ObjectPointer> found;
    const int frame = scene.cursorFrame;
    for (int layer = 0; layer <= scene.lastLayer; ++layer) {
        const Edit::ObjectPointer& object = scene.getLayerObjectList(layer).getObjectAtFrame(frame);
        if (!object || object->effectList.empty()) continue;
        if (passes(*object->effectList.front(), options)) found.push_back(object);
    }
    return found;
}

void ObjectListComponent::rebuildList() {
    objects = editService ? collectObjects(*editService->getCurrentScene(), options) : std::vector<Edit::ObjectPointer>{};
    if (list.rows.size() == objects.size()) {
        for (std::size_t i = 0; i < objects.size(); ++i)
            static_cast<ObjectButtonControl&>(list.rows[i]->control).setObject(objects[i]);
    } else {
        clearRowsLater(list);
        for (const Edit::ObjectPointer& object : objects) {
            auto row = std::make_unique<ObjectButtonControl>(list, object);
            row->showMenu = [this](int x, int y) { procContextMenu(x, y); };
            list.rows.push_back(std::move(row));
        }
    }
    // Object rows keep the order they were added in: top layer first.
    list.updateItemLayout();
    list.procMove();
    list.procPaint();
}

void ObjectListComponent::setVisible(bool visible) {
    WindowClientRenderTarget::setVisible(visible);
    rebuildList();
}

void ObjectListComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    header.procPaint();
    list.procPaint();
}

void ObjectListComponent::procMove() { owner.updateLayout(); }

void ObjectListComponent::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show || !editService) return;
    Edit::EditService& edit = *editService;
    const Edit::Scene& scene = *edit.getCurrentScene();
    Window::MenuEntries menu;
    if (scene.selection.objects.empty()) {
        menu.push_back(command(L"貼り付け", [&edit] { Edit::EditCommand::pasteObject(edit); }, !edit.clipboard.empty()));
    } else {
        Edit::EditCommand::ObjectMenu items;
        Edit::EditCommand::appendObjectEditMenu(edit, items);
        for (const Edit::EditCommand::ObjectMenuEntry& item : items) menu.push_back(command(item.text, item.action, item.enabled));
        menu.push_back(Window::MenuEntry::separator());
        if (scene.selection.controlSelected && scene.selection.objects.size() >= 2) {
            menu.push_back(command(L"対象レイヤー範囲を調整", [&edit] { Edit::EditCommand::adjustLayerRange(edit); }));
            menu.push_back(Window::MenuEntry::separator());
        }
        items.clear();
        Edit::EditCommand::appendObjectGroupMenu(edit, items);
        for (const Edit::EditCommand::ObjectMenuEntry& item : items) menu.push_back(command(item.text, item.action, item.enabled));
    }
    menu.push_back(Window::MenuEntry::separator());
    createWindowMenu(menu);
    show(window, menu);
}

void ObjectListComponent::createWindowMenu(Window::MenuEntries& menu) {
    Window::MenuEntry sub{Window::MenuEntry::Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};
    const auto option = [this, &sub](const wchar_t* text, int DisplayOptions::*member) {
        Window::MenuEntry item{Window::MenuEntry::Kind::Check, menuText(text), true, options.*member == 1, {}, {}};
        item.command = [this, member] {
            options.*member = options.*member == 1 ? 0 : 1;
            rebuildList();
        };
        sub.children.push_back(std::move(item));
    };
    option(L"メディアオブジェクトを表示する", &DisplayOptions::media);
    option(L"フィルタオブジェクトを表示する", &DisplayOptions::filter);
    option(L"制御オブジェクトを表示する", &DisplayOptions::control);
    sub.children.push_back(Window::MenuEntry::separator());
    option(L"映像(画像)系のオブジェクトを表示する", &DisplayOptions::video);
    option(L"音声系のオブジェクトを表示する", &DisplayOptions::audio);
    menu.push_back(std::move(sub));
    WindowClientRenderTarget::createWindowMenu(menu);
}

void ObjectListComponent::recreateClient() {
    std::unique_ptr<ObjectListComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<ObjectListComponent>(); });
}

}  // namespace Component
