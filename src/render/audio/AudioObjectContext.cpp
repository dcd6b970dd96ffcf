#include "render/audio/AudioObjectContext.h"

#include "edit/model/Object.h"
#include "render/audio/GroupAudioGains.h"

namespace Render {

GroupAudioGains* AudioObjectContext::getGroupAudioGains() const {
    if (!groupAudioControl || groupAudioControl->effectList.empty()) return nullptr;
    return dynamic_cast<GroupAudioGains*>(groupAudioControl->effectList.front().get());
}

}  // namespace Render
