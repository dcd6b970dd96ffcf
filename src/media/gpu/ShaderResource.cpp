#include "media/gpu/ShaderResource.h"

#include "media/gpu/Direct3DService.h"

namespace Resource {

ShaderResource::ShaderResource() : shaderList(&sharedList()) {}

ShaderList& ShaderResource::sharedList() { return Media::Direct3DService::Get().shaderList(); }

}  // namespace Resource
