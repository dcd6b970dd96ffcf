#include "render/service/RenderService.h"

namespace Render {

RenderService::RenderService() = default;

RenderService::~RenderService() = default;

}  // namespace Render
