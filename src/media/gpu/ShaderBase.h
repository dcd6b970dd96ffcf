#pragma once
// The common base of the GPU programs: programs made by scripts are held by
// name through ShaderBase.
#include "media/gpu/ShaderCompile.h"

namespace Media {

class ShaderBase {
public:
    virtual ~ShaderBase() = default;
};

}  // namespace Media
