#include "media/gpu/ShaderStateResource.h"

#include "media/gpu/Direct3DService.h"

namespace Resource {

ShaderStateResource::ShaderStateResource() {
    Media::Direct3DService& service = Media::Direct3DService::Get();
    samplerStateList = &service.samplerStateList;
    blendStateList = &service.blendStateList;
    rasterizerStateList = &service.rasterizerStateList;
}

}  // namespace Resource
