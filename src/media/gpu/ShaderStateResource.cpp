#include "media/gpu/ShaderStateResource.h"

#include "media/resource/ResourceService.h"

namespace Resource {

ShaderStateResource::ShaderStateResource() {
    ResourceService* service = ResourceService::getInstance();
    samplerStateList = service ? &service->samplerStateList : nullptr;
    blendStateList = service ? &service->blendStateList : nullptr;
    rasterizerStateList = service ? &service->rasterizerStateList : nullptr;
}

}  // namespace Resource
