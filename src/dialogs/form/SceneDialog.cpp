#include "dialogs/form/SceneDialog.h"

#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/model/FrameRate.h"
#include "edit/model/Scene.h"

namespace Dialog {

bool SceneDialog::show(SceneDialogValues& values) {
    items.clear();
    DialogItemText* name = values.name ? &addItem<DialogItemText>(L"名前", *values.name, true) : nullptr;
    DialogItemImageSize* size = values.width && values.height
                                    ? &addItem<DialogItemImageSize>(L"解像度", *values.width, *values.height)
                                    : nullptr;
    DialogItemNumber* rate =
        values.rate && values.scale
            ? &addItem<DialogItemNumber>(L"フレームレート", Edit::getFrameRate(*values.rate, *values.scale), 0.001,
                                         1000.0)
            : nullptr;
    DialogItemInteger* audio =
        values.audioRate ? &addItem<DialogItemInteger>(L"サンプリングレート", *values.audioRate, 1, Edit::Scene::maxAudioRate) : nullptr;
    if (!create()) return false;
    if (name) values.name = name->text;
    if (size) {
        values.width = size->imageWidth;
        values.height = size->imageHeight;
    }
    if (rate) {
        const Edit::RateScale pair = Edit::getFrameRateScale(rate->value);
        values.rate = pair.rate;
        values.scale = pair.scale;
    }
    if (audio) values.audioRate = audio->value;
    return true;
}

}  // namespace Dialog
