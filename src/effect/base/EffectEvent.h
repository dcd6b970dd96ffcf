#pragma once
// The record an effect's effectEvent receives. Which payload field is set
// depends on the code.
#include <memory>

namespace Edit {
class EditScope;
class Object;
}  // namespace Edit

namespace Effect {

class EffectBase;
class EffectItem;

struct EffectEvent {
    enum Code : int {
        ItemChanged = 1,   // item: an item whose notifyChange is set was edited
        FileDropped = 2,   // path: a file dropped on the effect
        ObjectSplit = 3,   // previousObject: the object as it was before the split
        StartMoved = 4,    // frame: the old start frame
        EndMoved = 5,      // frame: the old end frame
        AudioSplit = 6,    // track: the audio track of the new object
        ShowInfo = 100,    // nothing: show the information tooltip
    };

    int code = 0;
    Edit::EditScope* scope = nullptr;
    Edit::Object* object = nullptr;
    std::shared_ptr<EffectBase> effect;

    EffectItem* item = nullptr;
    const wchar_t* path = nullptr;
    Edit::Object* previousObject = nullptr;
    int frame = 0;
    int track = 0;
};

}  // namespace Effect
