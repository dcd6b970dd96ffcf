#include "media/resource/ResourceService.h"

#include "media/gpu/Direct3DService.h"

namespace Resource {

namespace {

std::array<PathData, PathData::Count> builtInShapes() {
    std::array<PathData, PathData::Count> shapes;
    for (int i = 0; i < PathData::Count; ++i) shapes[static_cast<std::size_t>(i)] = PathData::builtIn(static_cast<PathData::Shape>(i));
    return shapes;
}

}  // namespace

ResourceService::ResourceService()
    : pathData(builtInShapes()),
      samplerStateList(*Media::Direct3DService::Get().device),
      shaderList(&Media::Direct3DService::Get()),
      randomThreshold(NoiseTexture::fillRandomThreshold),
      smoothNoise(NoiseTexture::fillSmoothNoise) {
    figureList.load(pathData.data());
    transitionList.load(pathData.data());
}

ResourceService::~ResourceService() = default;

}  // namespace Resource
