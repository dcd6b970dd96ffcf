#pragma once
// The user interface's ten text formats, each made on first use from a
// "Font" key of the style settings, in this order: Control, the small
// control font (Control's family at 0.8 times its size), EditControl,
// LayerObject, PreviewTime, TimeGauge, LevelMeter, Footer, TextEdit, Log.
#include "media/draw/TextFormat.h"

#include <array>

namespace Resource {

class TextFormatList {
public:
    enum Index {
        Control,
        ControlSmall,
        EditControl,
        LayerObject,
        PreviewTime,
        TimeGauge,
        LevelMeter,
        Footer,
        TextEdit,
        Log,
        Count
    };

    TextFormatList();
    TextFormatList(const TextFormatList&) = delete;
    TextFormatList& operator=(const TextFormatList&) = delete;

    TextFormat& operator[](Index index) { return *formats_[index]; }

private:
    std::array<std::unique_ptr<TextFormat>, Count> formats_;
};

// The mixin through which controls reach the text formats.
class FontResource {
public:
    FontResource();

protected:
    TextFormatList* fontList;
};

}  // namespace Resource
