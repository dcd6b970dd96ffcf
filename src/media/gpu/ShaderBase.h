#pragma once
// The common bases of the GPU programs. Programs made by scripts are held by
// name through ShaderBase; ShaderCompile carries the operations that turn
// shader text handed in at run time into programs.

namespace Media {

class ShaderBase {
public:
    virtual ~ShaderBase() = default;
};

class ShaderCompile {};

}  // namespace Media
