#pragma once
// A vertex program with the input layout built from its own signature: one
// element per declared input, in signature order, each right after the one
// before in vertex slot 0. A four-component POSITION or NORMAL reads three
// floats (w is 1), as the vertex layouts provide them.
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlProgram.h"

#include <cstddef>
#include <memory>

namespace Media {

class Direct3DService;

class VertexShader {
public:
    explicit VertexShader(Direct3DService* service);
    ~VertexShader();
    VertexShader(const VertexShader&) = delete;
    VertexShader& operator=(const VertexShader&) = delete;

    // code: GLSL text of the stage. Releases the program held before; a
    // failure leaves the shader empty.
    void loadFromMemory(const char* code, std::size_t size);
    void createInputLayout(const char* code, std::size_t size);

    // Binds program and layout unless the binding cache says they are bound.
    void bind(Platform::Gl::Context& context) const;

    // The element format of an input: DXGI_FORMAT_UNKNOWN where a vertex
    // cannot hold it.
    static int elementFormat(const Platform::Gl::Program::Input& input);

    const Platform::Gl::Program* program() const { return program_.get(); }
    const Platform::Gl::InputLayout* inputLayout() const { return layout_.get(); }

private:
    Direct3DService* service_;
    std::unique_ptr<Platform::Gl::Program> program_;
    std::unique_ptr<Platform::Gl::InputLayout> layout_;
};

}  // namespace Media
