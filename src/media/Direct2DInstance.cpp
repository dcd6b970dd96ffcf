#include "media/Direct2DInstance.h"

#include "core/Singleton.h"
#include "media/Direct2DService.h"

namespace Media {

Direct2DInstance::Direct2DInstance() : direct2D(System::Singleton<Direct2DService>::getInstance()) {}

}  // namespace Media
