#include "dialogs/menus/EditMenu.h"

#include "core/base/Singleton.h"
#include "dialogs/menus/EditMenuActions.h"
#include "edit/command/ClipboardCommand.h"
#include "edit/command/CutCommand.h"
#include "edit/command/LengthCommand.h"
#include "edit/command/ObjectEditCommand.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/command/SectionCommand.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "render/service/RenderService.h"

namespace Menu {

namespace {

Edit::EditService* edit() { return System::Singleton<Edit::EditService>::getInstance(); }

// An action on the edit service; nothing without one.
std::function<void()> onEdit(std::function<void(Edit::EditService&)> action) {
    return [action = std::move(action)] {
        if (Edit::EditService* service = edit()) action(*service);
    };
}

// A predicate on the current scene; false without a service.
std::function<bool()> onScene(std::function<bool(const Edit::Scene&)> predicate) {
    return [predicate = std::move(predicate)] {
        Edit::EditService* service = edit();
        return service && service->getCurrentScene() && predicate(*service->getCurrentScene());
    };
}

int cursor(const Edit::EditService& service) { return service.getCurrentScene()->cursorFrame; }

void copyPicture(bool keepAlpha) {
    if (auto* render = System::Singleton<Render::RenderService>::getInstance())
        render->videoWorker.copyImageToClipboard(keepAlpha);
}

}  // namespace

void EditMenu::createMoveMenu() {
    Window::BaseMenu move(*menu, L"移動");
    insertCommand(move, L"次のフレームに移動", 0x27, onEdit([](auto& e) { e.setCurrentFrame(cursor(e) + 1); }));
    insertCommand(move, L"前のフレームに移動", 0x25, onEdit([](auto& e) { e.setCurrentFrame(cursor(e) - 1); }));
    insertCommand(move, L"次のセクションに移動", 0x28, onEdit([](auto& e) { Edit::EditCommand::moveNextSectionFrame(e); }));
    insertCommand(move, L"前のセクションに移動", 0x26, onEdit([](auto& e) { Edit::EditCommand::movePrevSectionFrame(e); }));
    insertCommand(move, L"先頭のフレームに移動", 0x24, onEdit([](auto& e) { e.setCurrentFrame(0); }));
    insertCommand(move, L"最後のフレームに移動", 0x23,
                  onEdit([](auto& e) { e.setCurrentFrame(std::max(e.getCurrentScene()->totalLength, 0)); }));
    insertCommand(move, L"選択開始フレームに移動", 0, onEdit([](auto& e) {
                      const Edit::Scene& s = *e.getCurrentScene();
                      e.setCurrentFrame(EditActions::hasRange(s) ? s.selectStartFrame : 0);
                  }));
    insertCommand(move, L"選択終了フレームに移動", 0, onEdit([](auto& e) {
                      const Edit::Scene& s = *e.getCurrentScene();
                      e.setCurrentFrame(EditActions::hasRange(s) ? s.selectEndFrame : std::max(s.totalLength, 0));
                  }));
    move.insertSeparator();
    struct Custom {
        const wchar_t* next;
        const wchar_t* previous;
        int nextKey;
        int previousKey;
        std::wstring Edit::EditService::*step;
    };
    const Custom customs[] = {
        {L"カスタムフレーム次移動A", L"カスタムフレーム前移動A", 0x22, 0x21, &Edit::EditService::customMoveFrameA},
        {L"カスタムフレーム次移動B", L"カスタムフレーム前移動B", 0, 0, &Edit::EditService::customMoveFrameB},
        {L"カスタムフレーム次移動C", L"カスタムフレーム前移動C", 0, 0, &Edit::EditService::customMoveFrameC},
        {L"カスタムフレーム次移動D", L"カスタムフレーム前移動D", 0, 0, &Edit::EditService::customMoveFrameD},
    };
    for (const Custom& c : customs) {
        const auto step = c.step;
        insertCommand(move, c.next, c.nextKey, onEdit([step](auto& e) { e.moveCustomFrame(e.*step, 1); }));
        insertCommand(move, c.previous, c.previousKey, onEdit([step](auto& e) { e.moveCustomFrame(e.*step, -1); }));
    }
    move.insertSeparator();
    insertCommand(move, L"指定時間に移動", 0, onEdit([](auto& e) { Edit::EditCommand::moveFrameByDialog(e); }));
}

void EditMenu::createMenu() {
    using namespace Edit::EditCommand;
    const Window::BaseMenu& m = *menu;
    const auto target = onScene(EditActions::hasTarget);
    createMoveMenu();
    m.insertSeparator();
    insertCommand(m, L"オブジェクトを切り取り", 0x4058, onEdit([](auto& e) { cutObject(e, false); }), target);
    insertCommand(m, L"オブジェクトをコピー", 0x4043, onEdit([](auto& e) { copyObject(e); }), target);
    insertCommand(m, L"オブジェクトを貼り付け", 0x4056, onEdit([](auto& e) { pasteObject(e); }), [] {
        Edit::EditService* service = edit();
        return service && !service->clipboard.empty();
    });
    insertCommand(m, L"オブジェクトを削除", 0x2E, onEdit([](auto& e) { deleteObject(e); }), target);
    insertCommand(m, L"オブジェクトを複製", 0x4044, onEdit([](auto& e) { duplicateObject(e); }), target);
    insertCommand(m, L"オブジェクトを分割", 0x53, onEdit([](auto& e) { splitObject(e, cursor(e)); }),
                  onScene(EditActions::canSplit));
    m.insertSeparator();
    insertCommand(m, L"オブジェクトを左側に詰める", 0, onEdit([](auto& e) { removeObjectLeftGap(e); }), target);
    insertCommand(m, L"オブジェクトを切り取りして詰める", 0x6058, onEdit([](auto& e) { cutObject(e, true); }), target);
    insertCommand(m, L"オブジェクトを切り出し", 0x4054, onEdit([](auto& e) { trimObject(e); }),
                  onScene([](const Edit::Scene& s) { return EditActions::hasTarget(s) && EditActions::hasRange(s); }));
    insertCommand(m, L"オブジェクトの長さを変更", 0, onEdit([](auto& e) { changeObjectLength(e); }), target);
    m.insertSeparator();
    insertCommand(m, L"クリップボードにイメージをコピー", 0, [] { copyPicture(false); });
    insertCommand(m, L"クリップボードにイメージをコピー(背景透過)", 0, [] { copyPicture(true); });
    m.insertSeparator();
    insertCommand(m, L"オブジェクトの中間点を追加", 0x50, onEdit([](auto& e) { createSection(e, cursor(e)); }),
                  onScene(EditActions::canAddSection));
    insertCommand(m, L"オブジェクトの中間点を削除", 0, onEdit([](auto& e) { deleteSection(e, cursor(e)); }),
                  onScene(EditActions::canDeleteSection));
    m.insertSeparator();
    insertCommand(m, L"オブジェクトのグループ化", 0x4047, onEdit([](auto& e) { setGroup(e); }),
                  onScene(EditActions::canGroup));
    insertCommand(m, L"オブジェクトのグループ解除", 0x6047, onEdit([](auto& e) { clearGroup(e); }),
                  onScene(EditActions::canUngroup));
    m.insertSeparator();
    insertCommand(m, L"オブジェクトの表示・非表示", 0, onEdit(EditActions::toggleObjectVisible), target);
    m.insertSeparator();
    {
        Window::BaseMenu range(m, L"フレーム範囲選択");
        insertCommand(range, L"現在のフレームを選択開始フレームにする", 0xDB, onEdit(EditActions::setRangeStart));
        insertCommand(range, L"現在のフレームを選択終了フレームにする", 0xDD, onEdit(EditActions::setRangeEnd));
        insertCommand(range, L"フレーム範囲選択を解除", 0, onEdit(EditActions::clearRange), onScene(EditActions::hasRange));
    }
    m.insertSeparator();
    insertCommand(m, L"現在のフレームのオブジェクトを選択", 0x09, onEdit(EditActions::focusObjectAtCursor));
    insertCommand(m, L"次のオブジェクトを選択", 0xBE, onEdit(EditActions::focusNextObject));
    insertCommand(m, L"前のオブジェクトを選択", 0xBC, onEdit(EditActions::focusPreviousObject));
    m.insertSeparator();
    auto undo = [] { return System::Singleton<Undo::UndoService>::getInstance(); };
    insertCommand(m, L"元に戻す", 0x405A, [undo] { if (auto* u = undo()) u->undo(); },
                  [undo] { return undo() && undo()->canUndo(); });
    insertCommand(m, L"やり直し", 0x605A, [undo] { if (auto* u = undo()) u->redo(); },
                  [undo] { return undo() && undo()->canRedo(); });
    m.insertSeparator();
    insertCommand(m, L"キャッシュを破棄", 0x74, onEdit(EditActions::discardCaches));
}

}  // namespace Menu
