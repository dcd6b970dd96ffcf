#pragma once
// The object settings window ("オブジェクト設定"): the focus object's effect
// chain as a stack of effect blocks under the settings header (the time and
// section gauge, the add-filter button), with a scroll bar at the right.
// It follows the focus, the scene, the cursor frame and every edit through
// the event lists, and keeps what blocks and rows share: the "Setting"
// options, the current section and point, and the effect copy buffer.
// Created once at start-up; it may float.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "core/file/Config.h"
#include "edit/service/EditInstance.h"
#include "settings/EffectSetting.h"
#include "settings/SettingHeader.h"
#include "settings/SettingMenuCalls.h"
#include "settings/rows/EffectItemRowHost.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/ScrollBarControl.h"

#include <memory>
#include <vector>

namespace Component {

class SettingComponent : public Edit::EditInstance,
                         public Event::EventInstance,
                         public Window::WindowClientRenderTarget {
public:
    SettingComponent();
    ~SettingComponent() override;

    // The window of the program (null before start-up built it).
    static std::unique_ptr<SettingComponent>& instance();

    // Shows another object (null: none).
    void setTargetObject(const Edit::ObjectPointer& object);
    // The cursor moved.
    void updateFrame(int frame);
    // Section count, section and point index at the frame (no repaint).
    void setCurrentFrame(int frame);
    // Every row shows the current section.
    void updateItemSections();
    // Every row re-reads its value and every header its switches.
    void refreshItemValues();
    void rebuildEffectSettings();
    void clearEffectSettings();
    void layoutEffectSettings();
    void setScrollPosition(int position);
    // The user's scroll: moves and repaints.
    void scrollTo(int position);
    // The block of the effect, or null.
    EffectSetting* findBlock(const Effect::EffectBase* effect) const;
    int blockIndex(const EffectSetting* block) const;
    // The settings header again from the shown object.
    void updateHeader();
    // After an option changed: the blocks again with it.
    void refreshAfterOptionChange(bool sections);
    // The cursor frame of the current scene (0 without one).
    int cursorFrame() const;
    Edit::EditService* editServiceOf() const { return editService; }

    void procMouseDrag(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    void procPaint() override;
    void procMove() override;
    void createWindowMenu(Window::MenuEntries& menu) override;
    void setVisible(bool visible) override;
    void recreateClient() override;

    // The "Setting" options.
    int sectionViewMode = 2;
    int slideMouseHidden = 0;
    int sliderButtonHidden = 0;
    int sliderCursorHidden = 0;
    int sliderMoveMode = 1;
    int sliderMoveRatio = 100;
    int displayPositionByFrame = 0;
    int sliderDirectMove = 0;
    // The options as the rows read them.
    SettingRowOptions rowOptions;

    Edit::ObjectPointer settingObject;
    int sectionCount = 0;
    int sectionIndex = 0;
    int pointIndex = 0;
    int contentHeight = 0;
    int headerHeight;
    int rowHeight;
    int scrollPosition = 0;
    int dragStartPosition = 0;
    std::vector<std::shared_ptr<Effect::EffectBase>> copyBuffer;

    Window::WindowControlOwner owner;
    Control::LayoutControl content;
    SettingHeader header;
    Control::ScrollBarControl scrollBar;
    Window::WindowControlOwner blockOwner;
    // In chain order.
    std::vector<std::unique_ptr<EffectSetting>> blocks;

private:
    void fillBelowContent();
    void onObjectUpdate(const Edit::ObjectPointer& object);
    void syncRowOptions();

    System::Config config_{"Setting"};
    System::Config::Int sectionViewMode_{config_, "SectionViewMode", &sectionViewMode, 2};
    System::Config::Int slideMouseHidden_{config_, "SlideMouseHidden", &slideMouseHidden, 0};
    System::Config::Int sliderButtonHidden_{config_, "SliderButtonHidden", &sliderButtonHidden, 0};
    System::Config::Int sliderCursorHidden_{config_, "SliderCursorHidden", &sliderCursorHidden, 0};
    System::Config::Int sliderMoveMode_{config_, "SliderMoveMode", &sliderMoveMode, 1};
    System::Config::Int sliderMoveRatio_{config_, "SliderMoveRatio", &sliderMoveRatio, 100};
    System::Config::Int displayPositionByFrame_{config_, "DisplayPositionByFrame", &displayPositionByFrame, 0};
    System::Config::Int sliderDirectMove_{config_, "SliderDirectMove", &sliderDirectMove, 0};
    System::Config::Scope configScope_{config_};
};

}  // namespace Component
