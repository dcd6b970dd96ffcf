#include "effects/base/FileEntry.h"

#include "core/base/Exception.h"
#include "core/event/MessageBox.h"

namespace Effect {

bool takeDroppedFile(EffectItem& item, const wchar_t* path) {
    try {
        item.setFilePath(path);
        return true;
    } catch (const System::Exception&) {
        // Already logged with the item's key by the exception's builder.
        Dialog::postError(L"このファイルには対応していません");
        return false;
    }
}

}  // namespace Effect
