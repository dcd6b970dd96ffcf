#include "media/gpu/ShaderResource.h"

#include "media/resource/ResourceService.h"

namespace Resource {

ShaderResource::ShaderResource() {
    ResourceService* service = ResourceService::getInstance();
    shaderList = service ? &service->shaderList : nullptr;
}

ShaderList& ShaderResource::sharedList() { return ResourceService::Get().shaderList; }

}  // namespace Resource
