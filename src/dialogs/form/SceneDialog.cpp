#include "dialogs/form/SceneDialog.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "edit/model/Scene.h"

#include <cmath>
#include <cstdlib>

namespace Dialog {

namespace {

// rate/scale of an entered frame rate: the first preset whose figure equals
// it exactly, otherwise millionths reduced by tens only.
void frameRateScaleOf(double frameRate, int& rate, int& scale) {
    if (const auto* settings = System::Singleton<Setting::SettingService>::getInstance()) {
        for (const auto& [key, value] : settings->systemConfig.getSection(settings->frameRate.name)) {
            char* end = nullptr;
            const double figure = std::strtod(key.c_str(), &end);
            if (end == key.c_str() || *end != '\0' || figure != frameRate) continue;
            const std::size_t slash = value.text.find('/');
            char* numberEnd = nullptr;
            const long numerator = std::strtol(value.text.c_str(), &numberEnd, 10);
            if (numberEnd == value.text.c_str()) continue;
            long denominator = 1;
            if (slash != std::string::npos) {
                const char* first = value.text.c_str() + slash + 1;
                denominator = std::strtol(first, &numberEnd, 10);
                if (numberEnd == first) continue;
            }
            rate = static_cast<int>(numerator);
            scale = static_cast<int>(denominator);
            return;
        }
    }
    long long r = std::llround(frameRate * 1000000.0);
    long long s = 1000000;
    while (s > 1 && r % 10 == 0) {
        r /= 10;
        s /= 10;
    }
    rate = static_cast<int>(r);
    scale = static_cast<int>(s);
}

}  // namespace

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
        values.audioRate ? &addItem<DialogItemInteger>(L"サンプリングレート", *values.audioRate, 1, 3072000) : nullptr;
    if (!DialogTemplate::show()) return false;
    if (name) values.name = name->text;
    if (size) {
        values.width = size->width;
        values.height = size->height;
    }
    if (rate) {
        int r = 0, s = 1;
        frameRateScaleOf(rate->value, r, s);
        values.rate = r;
        values.scale = s;
    }
    if (audio) values.audioRate = audio->value;
    return true;
}

}  // namespace Dialog
