#include "media/draw/Direct2DInstance.h"

#include "core/base/Singleton.h"
#include "media/draw/Direct2DService.h"

namespace Media {

Direct2DInstance::Direct2DInstance() : direct2D(System::Singleton<Direct2DService>::getInstance()) {}

}  // namespace Media
