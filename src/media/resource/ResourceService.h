#pragma once
// The drawing resources every window, control, effect and render task
// shares: the user interface's stroke styles and text formats, the eight
// path shapes, the sampler, blend and rasterizer state lists, the built-in
// shader list, the fonts of native controls, the figure and transition
// lists and the two noise textures.
//
// - Made once at start-up on the user-interface thread, after the 2D and
//   GPU services; never rebuilt (files added to the figure or transition
//   folder appear after a restart). Members are released in reverse order.
// - Any failure while it is built (a shader that does not compile, a
//   malformed style font) leaves the constructor, which ends start-up.
// - Afterwards read from any thread; its lazy holders make their object
//   once, concurrent first requests getting the same one.
#include "core/base/Singleton.h"
#include "media/draw/GdiFontList.h"
#include "media/draw/StrokeStyleList.h"
#include "media/draw/TextFormatList.h"
#include "media/gpu/BlendStateList.h"
#include "media/gpu/RasterizerStateList.h"
#include "media/gpu/SamplerStateList.h"
#include "media/gpu/ShaderList.h"
#include "media/resource/FigureList.h"
#include "media/resource/NoiseTexture.h"
#include "media/resource/PathData.h"
#include "media/resource/TransitionList.h"

#include <array>

namespace Resource {

class ResourceService {
public:
    ResourceService();
    ~ResourceService();
    ResourceService(const ResourceService&) = delete;
    ResourceService& operator=(const ResourceService&) = delete;

    static ResourceService& Get() { return *System::Singleton<ResourceService>::getInstance(); }
    static ResourceService* getInstance() { return System::Singleton<ResourceService>::getInstance(); }

    StrokeStyleList strokeStyleList;
    TextFormatList textFormatList;
    std::array<PathData, PathData::Count> pathData;
    Shader::SamplerStateList samplerStateList;
    Shader::BlendStateList blendStateList;
    Shader::RasterizerStateList rasterizerStateList;
    ShaderList shaderList;
    GdiFontList gdiFontList;
    FigureList figureList;
    TransitionList transitionList;
    // Threshold values 0 to 1, each once, in a random order.
    NoiseTexture randomThreshold;
    // Smoothed noise spanning -0.5 to 0.5.
    NoiseTexture smoothNoise;
};

}  // namespace Resource
