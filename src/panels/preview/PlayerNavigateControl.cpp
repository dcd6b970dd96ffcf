#include "panels/preview/PlayerNavigateControl.h"

#include "core/translate/TranslateService.h"
#include "edit/command/LengthCommand.h"
#include "edit/command/SectionCommand.h"
#include "edit/service/EditService.h"
#include "media/draw/RenderTargetWindow.h"
#include "panels/preview/PlayerIcons.h"
#include "panels/preview/PreviewControl.h"
#include "render/player/MoviePlayer.h"
#include "window/MenuPanelCalls.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>

namespace Component {

namespace {

// Tooltips are translated when they show.
std::wstring message(const wchar_t* text) { return text; }
std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

// Row geometry for a row height P, relative to the row less 6 px a side.
int trackBarEnd(int P) { return -(10 * P - 76); }
int buttonAreaStart(int P) { return -(10 * P - 82); }
int buttonAreaEnd(int P) { return -(2 * P - 28); }
int rightAreaStart(int P) { return -(2 * P - 34); }
int buttonX(int k, int P) { return k * (P - 6); }

}  // namespace

PlayerNavigateControl::PlayerNavigateControl(Window::WindowControlOwner& owner, int P, Render::MoviePlayer& player,
                                             Media::XAudio2Service* audio, PreviewControl& preview)
    : WindowControlRenderTarget(owner, 0, -P, 0, P),
      player(player),
      inner(owner.client, owner.hostWindow, owner.hostTarget, priority, &visibleRect(), &fullRect()),
      area(inner, 6, 0, -6, 0),
      counter(area, 0, 0, TimeCounterControl::counterWidth(), 0),
      trackBar(area, TimeCounterControl::counterWidth() + 8, 0, trackBarEnd(P), 0),
      buttonArea(area, buttonAreaStart(P), 6, buttonAreaEnd(P), -6),
      playButton(buttonArea, buttonX(0, P), 0, P - 12, P - 12),
      stopButton(buttonArea, buttonX(1, P), 0, P - 12, P - 12),
      previousFrameButton(buttonArea, buttonX(2, P), 0, P - 12, P - 12, Control::IconStepLeft),
      nextFrameButton(buttonArea, buttonX(3, P), 0, P - 12, P - 12, Control::IconStepRight),
      previousSectionButton(buttonArea, buttonX(4, P), 0, P - 12, P - 12),
      nextSectionButton(buttonArea, buttonX(5, P), 0, P - 12, P - 12),
      rangeStartButton(buttonArea, buttonX(6, P), 0, P - 12, P - 12),
      rangeEndButton(buttonArea, buttonX(7, P), 0, P - 12, P - 12),
      rightArea(area, rightAreaStart(P), 10, 0, -10),
      volumeButton(rightArea, 0, 0, P - 20, P - 20, player, audio),
      zoomButton(rightArea, P - 14, 0, P - 20, P - 20, preview) {
    acceptsContextMenu = true;
    playButton.icon = &Control::IconPlay;
    stopButton.icon = &Control::IconStop;
    previousSectionButton.icon = &Control::IconDoubleChevronLeft;
    nextSectionButton.icon = &Control::IconDoubleChevronRight;
    rangeStartButton.icon = &IconRangeStart;
    rangeEndButton.icon = &IconRangeEnd;
    if (host) {
        volumeButton.bitmap = host->bitmapList[Resource::BitmapList::Speaker];
        zoomButton.bitmap = host->bitmapList[Resource::BitmapList::ZoomIn];
        // A button repainted alone (the play icon turning into pause) clears
        // what it showed before.
        const Platform::Cairo::Brush* face = &host->brushList[Resource::ColorBrushList::Background];
        for (Control::IconButtonControl* button :
             {&playButton, &stopButton, static_cast<Control::IconButtonControl*>(&previousFrameButton),
              static_cast<Control::IconButtonControl*>(&nextFrameButton), &previousSectionButton, &nextSectionButton,
              &rangeStartButton, &rangeEndButton})
            button->faceBrush = face;
        volumeButton.faceBrush = face;
        zoomButton.faceBrush = face;
    }
    volumeButton.acceptsContextMenu = true;
    bindActions();
}

PlayerNavigateControl::~PlayerNavigateControl() = default;

void PlayerNavigateControl::bindActions() {
    playButton.tooltip = message(L"プレビュー再生");
    stopButton.tooltip = message(L"プレビュー停止");
    previousFrameButton.tooltip = message(L"前のフレームに移動");
    nextFrameButton.tooltip = message(L"次のフレームに移動");
    previousSectionButton.tooltip = message(L"前のセクションに移動");
    nextSectionButton.tooltip = message(L"次のセクションに移動");
    rangeStartButton.tooltip = message(L"範囲選択の開始フレームに設定");
    rangeEndButton.tooltip = message(L"範囲選択の終了フレームに設定");
    volumeButton.tooltip = message(L"プレビュー再生の音量を変更");
    zoomButton.tooltip = message(L"プレビュー表示の拡大率を変更");

    playButton.onClick = [this](Control::ButtonControl&) {
        if (this->player.isPlaying())
            this->player.stop(false);
        else
            this->player.play(false);
    };
    stopButton.onClick = [this](Control::ButtonControl&) { this->player.stop(true); };
    previousFrameButton.onPress = [this](Control::RepeatClickButtonControl&) {
        if (editService) editService->setCurrentFrame(editService->getCurrentScene()->cursorFrame - 1);
    };
    nextFrameButton.onPress = [this](Control::RepeatClickButtonControl&) {
        if (editService) editService->setCurrentFrame(editService->getCurrentScene()->cursorFrame + 1);
    };
    previousSectionButton.onClick = [this](Control::ButtonControl&) {
        if (editService) Edit::EditCommand::movePrevSectionFrame(*editService);
    };
    nextSectionButton.onClick = [this](Control::ButtonControl&) {
        if (editService) Edit::EditCommand::moveNextSectionFrame(*editService);
    };
    rangeStartButton.onClick = [this](Control::ButtonControl&) { setRangeStart(); };
    rangeEndButton.onClick = [this](Control::ButtonControl&) { setRangeEnd(); };
    trackBar.onChange = [this](Control::TrackBarControl&, int position) {
        if (editService) editService->setCurrentFrame(position);
    };

    if (!eventService) return;
    const void* key = eventKey();
    eventService->playStateChange.add(key, [this](bool playing) { showPlaying(playing); });
    eventService->frameRangeView.add(key, [this](int start, int length) {
        if (trackBar.markStart == start && trackBar.markEnd == start + length) return;
        trackBar.setMarkRange(start, start + length);
        trackBar.procPaint();
    });
    eventService->frameRangeSelect.add(key, [this](int start, int end) {
        if (trackBar.selectStart == start && trackBar.selectEnd == end) return;
        trackBar.setSelectRange(start, end);
        trackBar.procPaint();
    });
    eventService->frameChange.add(key, [this](int) { updateState(); });
    eventService->focusObjectChange.add(key, [this](std::shared_ptr<Edit::Object>&) { updateButtons(); });
    eventService->objectUpdate.add(key, [this](std::shared_ptr<Edit::Object>&) { updateState(); });
    eventService->sceneChange.add(key, [this](int) { updateState(); });
}

void PlayerNavigateControl::showPlaying(bool playing) {
    playButton.icon = playing ? &Control::IconPause : &Control::IconPlay;
    playButton.tooltip = message(playing ? L"プレビュー一時停止" : L"プレビュー再生");
    playButton.procPaint();
}

void PlayerNavigateControl::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    fill(scope.brushes()[Control::Brushes::Background]);
    for (Window::WindowControl* control : inner.controls) control->procPaint();
}

void PlayerNavigateControl::procMove() { inner.updateLayout(); }

void PlayerNavigateControl::updateState() {
    if (!editService || !editService->getCurrentScene()) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    const int shown = scene.playing ? scene.playingFrame : scene.cursorFrame;
    const FrameRange mark = scene.playing ? FrameRange{0, 0}
                                          : FrameRange{scene.displayFrame, scene.displayFrame + scene.displayFrameCount};
    const FrameRange select{scene.selectStartFrame, scene.selectEndFrame};
    const int last = scene.totalLength;
    if (trackBar.position == shown && trackBar.markStart == mark.first && trackBar.markEnd == mark.second &&
        trackBar.selectStart == select.first && trackBar.selectEnd == select.second && trackBar.maximum == last)
        return;
    // The range first: a position beyond the old maximum (a project opened
    // with its cursor past the previous scene's end) would be clamped to it.
    trackBar.setMaximum(last);
    trackBar.setPosition(std::clamp(shown, std::min(0, last), std::max(0, last)));
    trackBar.setMarkRange(mark.first, mark.second);
    trackBar.setSelectRange(select.first, select.second);
    Media::RenderTarget::DrawScope scope(*this, 0, 0, 0, 0, true);
    trackBar.procPaint();
    counter.procPaint();
    updateButtons();
}

void PlayerNavigateControl::updateButtons() {
    if (!editService || !editService->getCurrentScene()) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    const int c = scene.cursorFrame;
    const Edit::ObjectPointer& focus = scene.focusObject;
    const std::pair<Control::ButtonControl*, bool> flags[] = {
        {&previousFrameButton, c != 0},
        {&nextFrameButton, c != scene.totalLength},
        {&previousSectionButton, focus && focus->start < c},
        {&nextSectionButton, focus && c < focus->end},
    };
    for (auto [button, enabled] : flags) {
        if (button->enabled == enabled) continue;
        button->enabled = enabled;
        button->procPaint();
    }
}

void PlayerNavigateControl::applyRange(FrameRange range) {
    Edit::Scene& scene = *editService->getCurrentScene();
    if (range == FrameRange{scene.selectStartFrame, scene.selectEndFrame}) return;
    scene.selectStartFrame = range.first;
    scene.selectEndFrame = range.second;
    if (const std::function<void()>& repaint = Window::menuPanelCalls().repaintTimeline) repaint();
    if (eventService) eventService->frameRangeSelect.notify(range.first, range.second);
}

void PlayerNavigateControl::setRangeStart() {
    if (!editService || !editService->getCurrentScene()) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    applyRange(rangeWithStart(scene.cursorFrame, {scene.selectStartFrame, scene.selectEndFrame}, scene.totalLength));
}

void PlayerNavigateControl::setRangeEnd() {
    if (!editService || !editService->getCurrentScene()) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    applyRange(rangeWithEnd(scene.cursorFrame, {scene.selectStartFrame, scene.selectEndFrame}));
}

void PlayerNavigateControl::clearRange() {
    if (!editService || !editService->getCurrentScene()) return;
    applyRange({-1, -1});
}

Window::MenuEntries PlayerNavigateControl::playbackMenu() {
    using Kind = Window::MenuEntry::Kind;
    const bool playing = player.isPlaying();
    bool ranged = false;
    if (editService && editService->getCurrentScene()) {
        const Edit::Scene& scene = *editService->getCurrentScene();
        ranged = scene.selectStartFrame >= 0 && scene.selectEndFrame >= 0;
    }
    Window::MenuEntries menu;
    menu.push_back({Kind::Command, menuText(L"再生"), !playing, false, [this] { player.play(false); }, {}});
    menu.push_back({Kind::Command, menuText(L"一時停止"), playing, false, [this] { player.stop(false); }, {}});
    menu.push_back({Kind::Command, menuText(L"停止"), playing, false, [this] { player.stop(true); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back({Kind::Command, menuText(L"再生バッファの最大まで取得して再生"), !playing, false,
                    [this] { player.play(true); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    menu.push_back({Kind::Command, menuText(L"指定時間に移動"), true, false, [this] {
                        if (editService) Edit::EditCommand::moveFrameByDialog(*editService);
                    }, {}});
    menu.push_back({Kind::Command, menuText(L"フレーム範囲選択を解除"), ranged, false, [this] { clearRange(); }, {}});
    return menu;
}

void PlayerNavigateControl::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (show) show(window, playbackMenu());
}

}  // namespace Component
