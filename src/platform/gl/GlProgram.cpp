#include "platform/gl/GlProgram.h"

#include "core/base/Exception.h"
#include "embedded/embedded_ShaderPrelude_glsl.h"
#include "platform/gl/GlDisplay.h"

#include <algorithm>
#include <cstdio>
#include <regex>

namespace Platform::Gl {

namespace {

constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);

GLenum shaderType(Stage stage) {
    switch (stage) {
        case Stage::Vertex: return GL_VERTEX_SHADER;
        case Stage::Pixel: return GL_FRAGMENT_SHADER;
        case Stage::Compute: return GL_COMPUTE_SHADER;
    }
    return GL_FRAGMENT_SHADER;
}

std::string withoutComments(std::string_view source) {
    std::string text;
    text.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source.compare(i, 2, "//") == 0) {
            while (i < source.size() && source[i] != '\n') ++i;
            text += '\n';
        } else if (source.compare(i, 2, "/*") == 0) {
            const std::size_t end = source.find("*/", i + 2);
            i = end == std::string_view::npos ? source.size() : end + 1;
            text += ' ';
        } else {
            text += source[i];
        }
    }
    return text;
}

void typeOf(const std::string& type, Program::Input& input) {
    static const std::regex vector("(vec|ivec|uvec)([234])");
    std::smatch match;
    if (type == "float" || type == "int" || type == "uint") {
        input.components = 1;
        input.type = type == "float" ? Program::ComponentType::Float
                     : type == "int" ? Program::ComponentType::Int
                                     : Program::ComponentType::Uint;
    } else if (std::regex_match(type, match, vector)) {
        input.components = match[2].str()[0] - '0';
        input.type = match[1] == "vec"    ? Program::ComponentType::Float
                     : match[1] == "ivec" ? Program::ComponentType::Int
                                          : Program::ComponentType::Uint;
    } else {
        input.components = 4;
        input.type = Program::ComponentType::Other;
    }
}

}  // namespace

std::vector<Program::Input> Program::parseInputs(std::string_view source) {
    static const std::regex declaration(
        R"(layout\s*\(\s*location\s*=\s*(\d+)\s*\)\s*(?:(?:flat|smooth|noperspective)\s+)?in\s+(\w+)\s+(\w+)\s*;)");
    const std::string text = withoutComments(source);
    std::vector<Input> inputs;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration);
         it != std::sregex_iterator(); ++it) {
        Input input;
        input.location = std::stoi((*it)[1].str());
        input.name = (*it)[3].str();
        typeOf((*it)[2].str(), input);
        inputs.push_back(std::move(input));
    }
    std::stable_sort(inputs.begin(), inputs.end(),
                     [](const Input& a, const Input& b) { return a.location < b.location; });
    return inputs;
}

std::string Program::prelude(const Display& display, Stage stage) {
    const bool interlock = stage == Stage::Pixel && display.capabilities().fragmentShaderInterlock;
    const bool nv = display.capabilities().fragmentShaderInterlockNv;
    std::string text = "#version 450 core\n";
    if (interlock)
        text += nv ? "#extension GL_NV_fragment_shader_interlock : require\n"
                      "#define ORDERED_ACCESS_DECLARE layout(pixel_interlock_ordered) in;\n"
                      "#define ORDERED_ACCESS_BEGIN beginInvocationInterlockNV()\n"
                      "#define ORDERED_ACCESS_END endInvocationInterlockNV()\n"
                   : "#extension GL_ARB_fragment_shader_interlock : require\n"
                     "#define ORDERED_ACCESS_DECLARE layout(pixel_interlock_ordered) in;\n"
                     "#define ORDERED_ACCESS_BEGIN beginInvocationInterlockARB()\n"
                     "#define ORDERED_ACCESS_END endInvocationInterlockARB()\n";
    else
        text += "#define ORDERED_ACCESS_DECLARE\n#define ORDERED_ACCESS_BEGIN\n"
                "#define ORDERED_ACCESS_END\n";
    static const char* const stageNames[] = {"STAGE_VERTEX", "STAGE_PIXEL", "STAGE_COMPUTE"};
    text += "#define " + std::string(stageNames[static_cast<int>(stage)]) + " 1\n";
    text += "#define T_SLOT(i) (" + std::to_string(textureUnit(stage, 0)) + " + (i))\n";
    text += "#define B_SLOT(i) (" + std::to_string(uniformBinding(stage, 0)) + " + (i))\n";
    text += "#define U_SLOT(i) (" + std::to_string(imageUnit(0)) + " + (i))\n";
    const EdgeOffset edge = display.capabilities().edgeOffset;
    char offset[96];
    std::snprintf(offset, sizeof offset, "#define EDGE_OFFSET vec2(%.9g, %.9g)\n", edge.x, edge.y);
    text += offset;
    if (stage == Stage::Vertex) text += "out gl_PerVertex { vec4 gl_Position; };\n";
    text += embedded_ShaderPrelude_glsl;
    text += "\n#line 1\n";
    return text;
}

Program::Program(Display& display, Stage stage, std::string_view source, const char* call,
                 const char* place)
    : display_(display), stage_(stage), id_(nextObjectId()) {
    display.context();
    const std::string head = prelude(display, stage);
    const std::string body(source);
    const char* texts[] = {head.c_str(), body.c_str()};
    name_ = glCreateShaderProgramv(shaderType(stage), 2, texts);
    GLint linked = GL_FALSE;
    if (name_) glGetProgramiv(name_, GL_LINK_STATUS, &linked);
    if (!linked) {
        std::string log = "no program";
        if (name_) {
            GLint length = 0;
            glGetProgramiv(name_, GL_INFO_LOG_LENGTH, &length);
            log.assign(std::max(length, 1), '\0');
            glGetProgramInfoLog(name_, length, nullptr, log.data());
            log.resize(std::min(log.find('\0'), log.size()));
            while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
            glDeleteProgram(name_);
        }
        throw System::makeHResultException(call, place, kFail, log.c_str());
    }
    inputs_ = parseInputs(source);
}

Program::~Program() { display_.release(Display::Kind::Program, name_); }

}  // namespace Platform::Gl
