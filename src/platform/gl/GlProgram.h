#pragma once
// One shader stage compiled and linked as a separable GLSL 4.50 program, so
// stages are bound independently as D3D binds them.
//
// Every stage's text is preceded by "#version 450 core", the binding map of
// its stage (T_SLOT(i), B_SLOT(i), U_SLOT(i) give the GL binding of D3D
// texture, constant-buffer and unordered-access slot i), ordered-access
// macros (ORDERED_ACCESS_DECLARE at global scope, ORDERED_ACCESS_BEGIN and
// ORDERED_ACCESS_END around a pixel shader's read-modify-write of an image;
// empty where the driver has no interlock) and the helpers of
// ShaderPrelude.glsl.
// Error lines count from the stage's own first line.
//
// The input signature is read from the declarations, one per line:
//   layout(location = N) in <type> <SEMANTIC>;
// named by the HLSL semantic (POSITION, TEXCOORD1 ...), so inputs the
// compiler drops as unused still count, as in a D3D signature.
#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Platform::Gl {

class Display;

enum class Stage { Vertex, Pixel, Compute };

// D3D slots are per stage; GL bindings are global.
inline constexpr int kTextureSlots = 16;
inline constexpr int kConstantSlots = 14;
inline constexpr int kImageSlots = 8;
constexpr GLuint textureUnit(Stage stage, int slot) {
    return static_cast<GLuint>(static_cast<int>(stage) * kTextureSlots + slot);
}
constexpr GLuint uniformBinding(Stage stage, int slot) {
    return static_cast<GLuint>(static_cast<int>(stage) * kConstantSlots + slot);
}
// Pixel- and compute-stage unordered-access slots share the image units;
// every pass binds its own before it draws or dispatches.
constexpr GLuint imageUnit(int slot) { return static_cast<GLuint>(slot); }

class Program {
public:
    enum class ComponentType { Float, Int, Uint, Other };
    struct Input {
        std::string name;  // the semantic with its index, as declared
        int location;
        ComponentType type;
        int components;  // 1 to 4
    };

    // Throws the HRESULT exception with `call`, E_FAIL and the compiler's
    // log when compiling or linking fails.
    Program(Display& display, Stage stage, std::string_view source, const char* call,
            const char* place);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    GLuint name() const { return name_; }
    std::uint64_t id() const { return id_; }
    Stage stage() const { return stage_; }
    // Declared inputs in location order.
    const std::vector<Input>& inputs() const { return inputs_; }

    // The text put ahead of a stage's own text.
    static std::string prelude(const Display& display, Stage stage);
    static std::vector<Input> parseInputs(std::string_view source);

private:
    Display& display_;
    Stage stage_;
    GLuint name_ = 0;
    std::uint64_t id_;
    std::vector<Input> inputs_;
};

}  // namespace Platform::Gl
