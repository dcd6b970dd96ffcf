#include "platform/gl/HlslCompiler.h"

#include "embedded/embedded_HlslLoad_glsl.h"

// The libraries are built with their HLSL front end; its part of the
// interface is declared only with this.
#define ENABLE_HLSL 1
#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>
#include <glslang/SPIRV/GlslangToSpv.h>
#include <spirv_cross_c.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <regex>
#include <span>
#include <sstream>

namespace Platform::Gl {

namespace {

// glslang keeps the register classes apart in one binding space; the
// shifts are taken off again when the bindings are read.
constexpr unsigned kSamplerShift = 32;
constexpr unsigned kConstantShift = 64;
constexpr unsigned kUnorderedShift = 96;

void initializeGlslang() {
    static std::once_flag once;
    std::call_once(once, [] { glslang::InitializeProcess(); });
}

EShLanguage languageOf(Stage stage) {
    switch (stage) {
        case Stage::Vertex: return EShLangVertex;
        case Stage::Pixel: return EShLangFragment;
        case Stage::Compute: return EShLangCompute;
    }
    return EShLangFragment;
}

// #include "name" looks beside the including file, as D3D's standard file
// include handler does.
class FileIncluder : public glslang::TShader::Includer {
public:
    explicit FileIncluder(std::string sourceName) : sourceName_(std::move(sourceName)) {}

    IncludeResult* includeLocal(const char* headerName, const char* includerName,
                                size_t) override {
        const std::string from = includerName && *includerName ? includerName : sourceName_;
        std::string folder = from;
        const std::size_t cut = folder.find_last_of("/\\");
        folder = cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
        std::string path = folder + headerName;
        std::replace(path.begin(), path.end(), '\\', '/');
        std::ifstream file(path, std::ios::binary);
        if (!file) return nullptr;
        auto text = std::make_unique<std::string>((std::istreambuf_iterator<char>(file)),
                                                  std::istreambuf_iterator<char>());
        auto* result = new IncludeResult(path, text->data(), text->size(), text.get());
        texts_.push_back(std::move(text));
        return result;
    }
    IncludeResult* includeSystem(const char* headerName, const char* includerName,
                                 size_t depth) override {
        return includeLocal(headerName, includerName, depth);
    }
    void releaseInclude(IncludeResult* result) override { delete result; }

private:
    std::string sourceName_;
    std::vector<std::unique_ptr<std::string>> texts_;
};

// The optimised module, and in `declared` the module as written: the
// optimiser drops inputs nothing reads, which a signature keeps.
std::vector<unsigned> toSpirv(const char* sourceName, std::string_view text,
                              const char* entryPoint, Stage stage, std::vector<unsigned>& declared) {
    initializeGlslang();
    const EShLanguage language = languageOf(stage);
    glslang::TShader shader(language);
    const std::string body(text);
    const char* texts[] = {body.c_str()};
    const int lengths[] = {static_cast<int>(body.size())};
    const char* names[] = {sourceName ? sourceName : ""};
    shader.setStringsWithLengthsAndNames(texts, lengths, names, 1);
    shader.setEntryPoint(entryPoint);
    shader.setSourceEntryPoint(entryPoint);
    shader.setEnvInput(glslang::EShSourceHlsl, language, glslang::EShClientVulkan, 100);
    shader.setEnvClient(glslang::EShClientVulkan, glslang::EShTargetVulkan_1_0);
    shader.setEnvTarget(glslang::EShTargetSpv, glslang::EShTargetSpv_1_0);
    shader.setEnvTargetHlslFunctionality1();
    shader.setHlslIoMapping(true);
    shader.setAutoMapBindings(true);
    shader.setAutoMapLocations(true);
    shader.setShiftBinding(glslang::EResTexture, 0);
    shader.setShiftBinding(glslang::EResSampler, kSamplerShift);
    shader.setShiftBinding(glslang::EResUbo, kConstantShift);
    shader.setShiftBinding(glslang::EResUav, kUnorderedShift);
    shader.setShiftBinding(glslang::EResImage, kUnorderedShift);
    shader.setShiftBinding(glslang::EResSsbo, kUnorderedShift);
    const auto messages = static_cast<EShMessages>(EShMsgReadHlsl | EShMsgSpvRules |
                                                   EShMsgVulkanRules | EShMsgHlslOffsets |
                                                   EShMsgHlslLegalization);
    FileIncluder includer(names[0]);
    const bool parsed = shader.parse(GetDefaultResources(), 100, false, messages, includer);
    std::string log = shader.getInfoLog();
    // Warnings fail the compile as errors do.
    if (!parsed || log.find("WARNING:") != std::string::npos) {
        while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
        throw HlslCompileError(log.empty() ? "compilation failed" : log);
    }
    glslang::TProgram program;
    program.addShader(&shader);
    if (!program.link(messages) || !program.mapIO()) {
        std::string linkLog = program.getInfoLog();
        while (!linkLog.empty() && linkLog.back() == '\n') linkLog.pop_back();
        throw HlslCompileError(linkLog.empty() ? "linking failed" : linkLog);
    }
    std::vector<unsigned> spirv;
    spv::SpvBuildLogger logger;
    glslang::SpvOptions options;
    options.disableOptimizer = true;
    glslang::GlslangToSpv(*program.getIntermediate(language), declared, &logger, &options);
    options.disableOptimizer = false;
    glslang::GlslangToSpv(*program.getIntermediate(language), spirv, &logger, &options);
    const std::string messagesText = logger.getAllMessages();
    if (spirv.empty()) throw HlslCompileError(messagesText.empty() ? "no code" : messagesText);
    return spirv;
}

int spirvImageFormat(const char* qualifier) {
    const std::string_view name(qualifier ? qualifier : "");
    if (name == "rgba32f") return 1;
    if (name == "rgba16f") return 2;
    if (name == "r32f") return 3;
    if (name == "rgba8") return 4;
    if (name == "rg32f") return 6;
    return 2;
}

// Storage images declared without a format come out rgba32f; writes into a
// texture of another format would silently do nothing.
void patchStorageImageFormat(std::vector<unsigned>& spirv, int format) {
    constexpr unsigned kOpTypeImage = 25;
    for (std::size_t at = 5; at < spirv.size();) {
        const unsigned count = spirv[at] >> 16;
        if (count == 0) break;
        if ((spirv[at] & 0xFFFF) == kOpTypeImage && count >= 9 && at + 8 < spirv.size() &&
            spirv[at + 7] == 2 && spirv[at + 8] == 1)
            spirv[at + 8] = static_cast<unsigned>(format);
        at += count;
    }
}

struct Cross {
    spvc_context context = nullptr;
    spvc_compiler compiler = nullptr;
    std::string error;
    ~Cross() {
        if (context) spvc_context_destroy(context);
    }
    void open(const std::vector<unsigned>& spirv) {
        check(spvc_context_create(&context), "SPIR-V reader");
        spvc_context_set_error_callback(
            context, [](void* user, const char* text) { *static_cast<std::string*>(user) = text; },
            &error);
        spvc_parsed_ir ir = nullptr;
        check(spvc_context_parse_spirv(context, spirv.data(), spirv.size(), &ir), "SPIR-V reader");
        check(spvc_context_create_compiler(context, SPVC_BACKEND_GLSL, ir,
                                           SPVC_CAPTURE_MODE_TAKE_OWNERSHIP, &compiler),
              "SPIR-V reader");
    }
    void check(spvc_result result, const char* what) const {
        if (result != SPVC_SUCCESS)
            throw HlslCompileError(std::string(what) + (error.empty() ? "" : ": " + error));
    }
};

std::span<const spvc_reflected_resource> resourcesOf(Cross& cross, spvc_resources resources,
                                                     spvc_resource_type type) {
    const spvc_reflected_resource* list = nullptr;
    size_t count = 0;
    cross.check(spvc_resources_get_resource_list_for_type(resources, type, &list, &count),
                "reflection");
    return {list, count};
}

std::string semanticOf(Cross& cross, spvc_variable_id id) {
    const char* text = spvc_compiler_get_decoration_string(cross.compiler, id,
                                                           SpvDecorationHlslSemanticGOOGLE);
    std::string semantic = text ? text : "";
    for (char& c : semantic) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return semantic;
}

void splitSemantic(const std::string& semantic, ShaderReflection::Parameter& parameter) {
    std::size_t end = semantic.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(semantic[end - 1]))) --end;
    parameter.semanticName = semantic.substr(0, end);
    parameter.semanticIndex = end < semantic.size() ? std::stoi(semantic.substr(end)) : 0;
}

Program::ComponentType componentTypeOf(spvc_basetype base) {
    switch (base) {
        case SPVC_BASETYPE_FP32: return Program::ComponentType::Float;
        case SPVC_BASETYPE_INT32: return Program::ComponentType::Int;
        case SPVC_BASETYPE_UINT32:
        case SPVC_BASETYPE_BOOLEAN: return Program::ComponentType::Uint;
        default: return Program::ComponentType::Other;
    }
}

const char* builtinSemantic(SpvBuiltIn builtin) {
    switch (builtin) {
        case SpvBuiltInFragCoord: return "SV_Position";
        case SpvBuiltInFrontFacing: return "SV_IsFrontFace";
        case SpvBuiltInPrimitiveId: return "SV_PrimitiveID";
        case SpvBuiltInSampleId: return "SV_SampleIndex";
        case SpvBuiltInVertexIndex: return "SV_VertexID";
        case SpvBuiltInInstanceIndex: return "SV_InstanceID";
        default: return nullptr;
    }
}

// One constant block: the HLSL-packed bytes as a vec4 array, unpacked into
// the block's struct by generated code.
class BlockUnpacker {
public:
    BlockUnpacker(Cross& cross, std::string data) : cross_(cross), data_(std::move(data)) {}

    // Assignments filling `path` of the type at byte `offset` from the
    // register expression `base`.
    void unpack(spvc_type_id typeId, const std::string& path, const std::string& base,
                std::uint32_t offset, bool rowMajor, std::uint32_t matrixStride,
                std::uint32_t arrayStride, int depth) {
        spvc_type type = spvc_compiler_get_type_handle(cross_.compiler, typeId);
        const unsigned dimensions = spvc_type_get_num_array_dimensions(type);
        if (dimensions > 1) throw HlslCompileError("constant arrays of more than one dimension are not supported");
        if (dimensions == 1) {
            const unsigned length = spvc_type_get_array_dimension(type, 0);
            if (arrayStride == 0 || arrayStride % 16 != 0)
                throw HlslCompileError("unsupported constant array layout");
            const std::string index = "i" + std::to_string(depth);
            code_ += "    for (int " + index + " = 0; " + index + " < " + std::to_string(length) +
                     "; ++" + index + ") {\n";
            const std::string elementBase = "(" + base + " + " + index + " * " +
                                            std::to_string(arrayStride / 16) + ")";
            unpackElement(type, spvc_type_get_base_type_id(type), path + "[" + index + "]",
                          elementBase, offset, rowMajor, matrixStride, depth + 1);
            code_ += "    }\n";
            return;
        }
        unpackElement(type, typeId, path, base, offset, rowMajor, matrixStride, depth);
    }

    const std::string& code() const { return code_; }

private:
    std::string scalar(spvc_basetype base, const std::string& registerBase, std::uint32_t offset) {
        static const char components[] = "xyzw";
        const std::string value = data_ + "[" + registerBase + " + " + std::to_string(offset / 16) +
                                  "]." + components[(offset % 16) / 4];
        switch (base) {
            case SPVC_BASETYPE_FP32: return value;
            case SPVC_BASETYPE_INT32: return "floatBitsToInt(" + value + ")";
            case SPVC_BASETYPE_UINT32: return "floatBitsToUint(" + value + ")";
            case SPVC_BASETYPE_BOOLEAN: return "(floatBitsToUint(" + value + ") != 0u)";
            default: throw HlslCompileError("unsupported constant type");
        }
    }

    void unpackElement(spvc_type type, spvc_type_id typeId, const std::string& path,
                       const std::string& base, std::uint32_t offset, bool rowMajor,
                       std::uint32_t matrixStride, int depth) {
        const spvc_basetype baseType = spvc_type_get_basetype(type);
        if (baseType == SPVC_BASETYPE_STRUCT) {
            const unsigned members = spvc_type_get_num_member_types(type);
            const spvc_type_id structId = spvc_type_get_base_type_id(type);
            for (unsigned i = 0; i < members; ++i) {
                unsigned memberOffset = 0, memberMatrix = 0, memberArray = 0;
                spvc_compiler_type_struct_member_offset(cross_.compiler, type, i, &memberOffset);
                spvc_compiler_type_struct_member_matrix_stride(cross_.compiler, type, i,
                                                               &memberMatrix);
                spvc_compiler_type_struct_member_array_stride(cross_.compiler, type, i,
                                                              &memberArray);
                const bool memberRow = spvc_compiler_has_member_decoration(
                    cross_.compiler, structId, i, SpvDecorationRowMajor);
                unpack(spvc_type_get_member_type(type, i), path + "." + memberName(structId, i), base,
                       offset + memberOffset, memberRow, memberMatrix, memberArray, depth);
            }
            return;
        }
        (void)typeId;
        const unsigned columns = spvc_type_get_columns(type);
        const unsigned rows = spvc_type_get_vector_size(type);
        if (columns > 1) {
            for (unsigned c = 0; c < columns; ++c)
                for (unsigned r = 0; r < rows; ++r) {
                    const std::uint32_t at = offset + (rowMajor ? r * matrixStride + c * 4
                                                                : c * matrixStride + r * 4);
                    code_ += "    " + path + "[" + std::to_string(c) + "][" + std::to_string(r) +
                             "] = " + scalar(baseType, base, at) + ";\n";
                }
            return;
        }
        if (rows == 1) {
            code_ += "    " + path + " = " + scalar(baseType, base, offset) + ";\n";
            return;
        }
        for (unsigned r = 0; r < rows; ++r)
            code_ += "    " + path + "[" + std::to_string(r) + "] = " +
                     scalar(baseType, base, offset + r * 4) + ";\n";
    }

    std::string memberName(spvc_type_id structId, unsigned index) {
        const char* name = spvc_compiler_get_member_name(cross_.compiler, structId, index);
        return name ? name : "";
    }

    Cross& cross_;
    std::string data_;
    std::string code_;
};

std::string typeName(spvc_type type) {
    const unsigned columns = spvc_type_get_columns(type);
    const unsigned rows = spvc_type_get_vector_size(type);
    std::string name;
    switch (spvc_type_get_basetype(type)) {
        case SPVC_BASETYPE_FP32: name = "float"; break;
        case SPVC_BASETYPE_INT32: name = "int"; break;
        case SPVC_BASETYPE_UINT32: name = "uint"; break;
        case SPVC_BASETYPE_BOOLEAN: name = "bool"; break;
        case SPVC_BASETYPE_STRUCT: return "struct";
        default: return "unknown";
    }
    // SPIR-V matrices from HLSL are transposed: columns of the SPIR-V type
    // are the HLSL rows.
    if (columns > 1) return name + std::to_string(columns) + "x" + std::to_string(rows);
    if (rows > 1) return name + std::to_string(rows);
    return name;
}

// Bytes a member takes in the HLSL packing, its last element unpadded.
std::uint32_t packedSize(Cross& cross, spvc_type parent, unsigned index, spvc_type type) {
    const unsigned columns = spvc_type_get_columns(type);
    const unsigned rows = spvc_type_get_vector_size(type);
    std::uint32_t element = 0;
    if (spvc_type_get_basetype(type) == SPVC_BASETYPE_STRUCT) {
        size_t size = 0;
        spvc_compiler_get_declared_struct_size(cross.compiler, type, &size);
        element = static_cast<std::uint32_t>(size);
    } else if (columns > 1) {
        unsigned stride = 16;
        spvc_compiler_type_struct_member_matrix_stride(cross.compiler, parent, index, &stride);
        const bool rowMajor = spvc_compiler_has_member_decoration(
            cross.compiler, spvc_type_get_base_type_id(parent), index, SpvDecorationRowMajor);
        element = rowMajor ? (rows - 1) * stride + columns * 4 : (columns - 1) * stride + rows * 4;
    } else {
        element = rows * 4;
    }
    if (spvc_type_get_num_array_dimensions(type) == 0) return element;
    unsigned stride = 16;
    spvc_compiler_type_struct_member_array_stride(cross.compiler, parent, index, &stride);
    const unsigned length = spvc_type_get_array_dimension(type, 0);
    return length == 0 ? 0 : (length - 1) * stride + element;
}

void writeReflection(std::ostringstream& out, const ShaderReflection& reflection) {
    static const char* const types[] = {"float", "int", "uint", "other"};
    static const char* const kinds[] = {"cbuffer", "texture", "sampler", "uav"};
    out << "//@reflection\n";
    for (const auto& input : reflection.inputs)
        out << "//@input " << input.semanticName << ' ' << input.semanticIndex << ' '
            << types[static_cast<int>(input.componentType)] << ' ' << input.mask << '\n';
    for (const auto& block : reflection.constantBuffers) {
        out << "//@cbuffer " << block.slot << ' ' << block.size << ' ' << block.name << '\n';
        for (const auto& variable : block.variables)
            out << "//@variable " << variable.offset << ' ' << variable.size << ' '
                << variable.elements << ' ' << variable.type << ' ' << variable.name << '\n';
    }
    for (const auto& resource : reflection.resources)
        out << "//@resource " << kinds[static_cast<int>(resource.type)] << ' ' << resource.slot
            << ' ' << resource.count << ' ' << resource.name << '\n';
    out << "//@end\n";
}

int registerOf(Cross& cross, spvc_variable_id id, unsigned shift, int slots, char letter,
               const char* name) {
    const unsigned binding = spvc_compiler_get_decoration(cross.compiler, id, SpvDecorationBinding);
    const int slot = static_cast<int>(binding) - static_cast<int>(shift);
    if (slot < 0 || slot >= slots)
        throw HlslCompileError(std::string(name) + ": register " + letter + std::to_string(slot) +
                               " lies beyond the " + std::to_string(slots) + " slots of the stage");
    return slot;
}

int arrayCount(Cross& cross, spvc_type_id typeId) {
    spvc_type type = spvc_compiler_get_type_handle(cross.compiler, typeId);
    return spvc_type_get_num_array_dimensions(type) ? static_cast<int>(spvc_type_get_array_dimension(type, 0)) : 1;
}

// The input signature of the module: SV_Position first, then the declared
// inputs by location, then other system values; `locations` gets each
// one's location (-1 for system values).
std::vector<ShaderReflection::Parameter> reflectInputs(const std::vector<unsigned>& spirv,
                                                       std::vector<int>& locations) {
    Cross cross;
    cross.open(spirv);
    spvc_resources resources = nullptr;
    cross.check(spvc_compiler_create_shader_resources(cross.compiler, &resources), "reflection");
    std::vector<ShaderReflection::Parameter> inputs, others;
    const spvc_reflected_builtin_resource* builtins = nullptr;
    size_t builtinCount = 0;
    spvc_resources_get_builtin_resource_list_for_type(resources, SPVC_BUILTIN_RESOURCE_TYPE_STAGE_INPUT,
                                                      &builtins, &builtinCount);
    for (size_t i = 0; i < builtinCount; ++i) {
        const char* name = builtinSemantic(builtins[i].builtin);
        if (!name) continue;
        spvc_type type = spvc_compiler_get_type_handle(cross.compiler, builtins[i].value_type_id);
        ShaderReflection::Parameter parameter;
        parameter.semanticName = name;
        parameter.componentType = componentTypeOf(spvc_type_get_basetype(type));
        parameter.mask = (1 << spvc_type_get_vector_size(type)) - 1;
        if (builtins[i].builtin == SpvBuiltInFragCoord) {
            inputs.insert(inputs.begin(), parameter);
            locations.insert(locations.begin(), -1);
        } else {
            others.push_back(parameter);
        }
    }
    auto declared = resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_STAGE_INPUT);
    std::vector<spvc_reflected_resource> ordered(declared.begin(), declared.end());
    const auto locationOf = [&](const spvc_reflected_resource& r) {
        return static_cast<int>(spvc_compiler_get_decoration(cross.compiler, r.id, SpvDecorationLocation));
    };
    std::sort(ordered.begin(), ordered.end(),
              [&](const auto& a, const auto& b) { return locationOf(a) < locationOf(b); });
    for (const auto& input : ordered) {
        std::string semantic = semanticOf(cross, input.id);
        if (semantic.empty()) semantic = "TEXCOORD" + std::to_string(locationOf(input));
        ShaderReflection::Parameter parameter;
        splitSemantic(semantic, parameter);
        spvc_type type = spvc_compiler_get_type_handle(cross.compiler, input.type_id);
        parameter.componentType = componentTypeOf(spvc_type_get_basetype(type));
        parameter.mask = (1 << spvc_type_get_vector_size(type)) - 1;
        inputs.push_back(parameter);
        locations.push_back(locationOf(input));
    }
    inputs.insert(inputs.end(), others.begin(), others.end());
    locations.insert(locations.end(), others.size(), -1);
    return inputs;
}

}  // namespace

const ShaderReflection::ConstantBuffer* ShaderReflection::findConstantBuffer(
    std::string_view name) const {
    for (const auto& block : constantBuffers)
        if (block.name == name) return &block;
    return nullptr;
}

const ShaderReflection::Variable* ShaderReflection::findVariable(std::string_view name) const {
    for (const auto& block : constantBuffers)
        for (const auto& variable : block.variables)
            if (variable.name == name) return &variable;
    return nullptr;
}

std::string compileHlsl(const char* sourceName, std::string_view text, const char* entryPoint,
                        Stage stage, const HlslOptions& options) {
    std::vector<unsigned> declared;
    std::vector<unsigned> spirv = toSpirv(sourceName, text, entryPoint, stage, declared);
    patchStorageImageFormat(spirv, spirvImageFormat(options.storageImageFormat));

    Cross cross;
    cross.open(spirv);
    spvc_compiler_options compilerOptions = nullptr;
    cross.check(spvc_compiler_create_compiler_options(cross.compiler, &compilerOptions), "options");
    spvc_compiler_options_set_uint(compilerOptions, SPVC_COMPILER_OPTION_GLSL_VERSION, 450);
    spvc_compiler_options_set_bool(compilerOptions, SPVC_COMPILER_OPTION_GLSL_ES, SPVC_FALSE);
    spvc_compiler_options_set_bool(compilerOptions, SPVC_COMPILER_OPTION_GLSL_VULKAN_SEMANTICS,
                                   SPVC_FALSE);
    spvc_compiler_options_set_bool(compilerOptions,
                                   SPVC_COMPILER_OPTION_GLSL_EMIT_UNIFORM_BUFFER_AS_PLAIN_UNIFORMS,
                                   SPVC_TRUE);
    cross.check(spvc_compiler_install_compiler_options(cross.compiler, compilerOptions), "options");
    // gl_FragCoord keeps GL's origin: the context's clip control already
    // puts row 0 at the top.
    spvc_compiler_unset_execution_mode(cross.compiler, SpvExecutionModeOriginUpperLeft);

    spvc_resources resources = nullptr;
    cross.check(spvc_compiler_create_shader_resources(cross.compiler, &resources), "reflection");
    ShaderReflection reflection;

    // Input signature as declared; the inputs left after optimising are
    // named after their semantics.
    if (stage != Stage::Compute) {
        std::vector<int> locations;
        reflection.inputs = reflectInputs(declared, locations);
        for (const auto& input : resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_STAGE_INPUT)) {
            const int location = static_cast<int>(
                spvc_compiler_get_decoration(cross.compiler, input.id, SpvDecorationLocation));
            for (std::size_t i = 0; i < locations.size(); ++i)
                if (locations[i] == location)
                    spvc_compiler_set_name(cross.compiler, input.id,
                                           (reflection.inputs[i].semanticName +
                                            std::to_string(reflection.inputs[i].semanticIndex))
                                               .c_str());
        }
    }

    if (!resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_STORAGE_BUFFER).empty())
        throw HlslCompileError("structured and byte-address buffers are not supported");

    // Constant blocks: reflected, renamed, unpacked from their vec4 arrays.
    struct Block {
        std::string instance;
        std::string data;
        int slot;
        std::uint32_t size;
        std::string code;
    };
    std::vector<Block> blocks;
    for (const auto& buffer : resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_UNIFORM_BUFFER)) {
        const char* blockName = spvc_compiler_get_name(cross.compiler, buffer.base_type_id);
        std::string name = blockName && *blockName ? blockName : buffer.name;
        if (name == "$Global") name = "$Globals";
        const int slot = registerOf(cross, buffer.id, kConstantShift, kConstantSlots, 'b', name.c_str());
        spvc_type type = spvc_compiler_get_type_handle(cross.compiler, buffer.base_type_id);
        size_t declared = 0;
        spvc_compiler_get_declared_struct_size(cross.compiler, type, &declared);
        ShaderReflection::ConstantBuffer block;
        block.name = name;
        block.slot = slot;
        block.size = static_cast<std::uint32_t>((declared + 15) / 16 * 16);
        const unsigned members = spvc_type_get_num_member_types(type);
        for (unsigned i = 0; i < members; ++i) {
            ShaderReflection::Variable variable;
            const char* memberName = spvc_compiler_get_member_name(cross.compiler, buffer.base_type_id, i);
            variable.name = memberName ? memberName : "";
            spvc_type memberType =
                spvc_compiler_get_type_handle(cross.compiler, spvc_type_get_member_type(type, i));
            unsigned offset = 0;
            spvc_compiler_type_struct_member_offset(cross.compiler, type, i, &offset);
            variable.offset = offset;
            variable.type = typeName(memberType);
            variable.elements = spvc_type_get_num_array_dimensions(memberType)
                                    ? spvc_type_get_array_dimension(memberType, 0)
                                    : 0;
            variable.size = packedSize(cross, type, i, memberType);
            block.variables.push_back(std::move(variable));
        }
        const std::string index = std::to_string(blocks.size());
        Block unpacked{"_cb" + index, "_cbData" + index, slot, block.size, {}};
        spvc_compiler_set_name(cross.compiler, buffer.id, unpacked.instance.c_str());
        BlockUnpacker unpacker(cross, unpacked.data);
        unpacker.unpack(buffer.base_type_id, unpacked.instance, "0", 0, false, 0, 0, 0);
        unpacked.code = unpacker.code();
        blocks.push_back(std::move(unpacked));
        reflection.resources.push_back(
            {name, ShaderReflection::ResourceType::ConstantBuffer, slot, 1});
        reflection.constantBuffers.push_back(std::move(block));
    }

    // Textures are sampled through combined samplers named after them, on
    // the texture's unit; the sampler of a unit is bound by the caller.
    std::vector<std::pair<spvc_variable_id, int>> textureSlots;
    for (const auto& image : resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_SEPARATE_IMAGE)) {
        const int slot = registerOf(cross, image.id, 0, kTextureSlots, 't', image.name);
        textureSlots.emplace_back(image.id, slot);
        reflection.resources.push_back({image.name, ShaderReflection::ResourceType::Texture, slot,
                                        arrayCount(cross, image.type_id)});
    }
    for (const auto& sampler : resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_SEPARATE_SAMPLERS)) {
        const int slot = registerOf(cross, sampler.id, kSamplerShift, kTextureSlots, 's', sampler.name);
        reflection.resources.push_back({sampler.name, ShaderReflection::ResourceType::Sampler, slot,
                                        arrayCount(cross, sampler.type_id)});
    }
    for (const auto& image : resourcesOf(cross, resources, SPVC_RESOURCE_TYPE_STORAGE_IMAGE)) {
        const int slot = registerOf(cross, image.id, kUnorderedShift, kImageSlots, 'u', image.name);
        spvc_compiler_set_decoration(cross.compiler, image.id, SpvDecorationBinding,
                                     imageUnit(slot));
        reflection.resources.push_back({image.name, ShaderReflection::ResourceType::UnorderedAccess,
                                        slot, arrayCount(cross, image.type_id)});
    }
    spvc_variable_id dummy = 0;
    cross.check(spvc_compiler_build_dummy_sampler_for_combined_images(cross.compiler, &dummy),
                "samplers");
    cross.check(spvc_compiler_build_combined_image_samplers(cross.compiler), "samplers");
    const spvc_combined_image_sampler* combined = nullptr;
    size_t combinedCount = 0;
    cross.check(spvc_compiler_get_combined_image_samplers(cross.compiler, &combined, &combinedCount),
                "samplers");
    std::vector<std::string> used;
    for (size_t i = 0; i < combinedCount; ++i) {
        const auto slot = std::find_if(textureSlots.begin(), textureSlots.end(), [&](const auto& t) {
            return t.first == combined[i].image_id;
        });
        if (slot == textureSlots.end()) continue;
        const char* imageName = spvc_compiler_get_name(cross.compiler, combined[i].image_id);
        std::string name = imageName ? imageName : "texture";
        while (std::find(used.begin(), used.end(), name) != used.end()) name += "_";
        used.push_back(name);
        spvc_compiler_set_name(cross.compiler, combined[i].combined_id, name.c_str());
        spvc_compiler_set_decoration(cross.compiler, combined[i].combined_id, SpvDecorationBinding,
                                     textureUnit(stage, slot->second));
    }

    const char* source = nullptr;
    cross.check(spvc_compiler_compile(cross.compiler, &source), "GLSL writer");
    std::string glsl = source;

    // Our program text supplies the version line.
    if (glsl.starts_with("#version")) glsl.erase(0, glsl.find('\n') + 1);
    // Integer loads go through the bounds-checking helpers.
    glsl = std::regex_replace(glsl, std::regex(R"(\btexelFetch\()"), "hlslLoad(");
    glsl = std::regex_replace(glsl, std::regex(R"(\btexelFetchOffset\()"), "hlslLoadOffset(");
    std::string declarations = embedded_HlslLoad_glsl;
    std::string calls;
    for (const Block& block : blocks) {
        const std::regex plain("(layout\\([^)]*\\)\\s*)?uniform\\s+(\\w+)\\s+" + block.instance + ";");
        glsl = std::regex_replace(glsl, plain, "$2 " + block.instance + ";");
        declarations += "layout(std140, binding = " +
                        std::to_string(uniformBinding(stage, block.slot)) + ") uniform " +
                        block.data + "Block { vec4 " + block.data + "[" +
                        std::to_string(std::max<std::uint32_t>(block.size / 16, 1)) + "]; };\n";
        const std::string function = "void " + block.data + "Unpack() {\n" + block.code + "}\n";
        calls += "    " + block.data + "Unpack();\n";
        const std::size_t main = glsl.find("\nvoid main()");
        if (main == std::string::npos) throw HlslCompileError("no entry point in the written code");
        glsl.insert(main + 1, function);
    }
    if (!calls.empty()) {
        const std::size_t main = glsl.find("\nvoid main()");
        const std::size_t open = glsl.find("{\n", main);
        glsl.insert(open + 2, calls);
    }

    std::ostringstream out;
    writeReflection(out, reflection);
    out << declarations << glsl;
    return out.str();
}

bool readReflection(std::string_view text, ShaderReflection& reflection) {
    if (!text.starts_with("//@reflection\n")) return false;
    reflection = {};
    std::istringstream in{std::string(text)};
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line != "//@end") {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "//@input") {
            ShaderReflection::Parameter parameter;
            std::string type;
            fields >> parameter.semanticName >> parameter.semanticIndex >> type >> parameter.mask;
            parameter.componentType = type == "float" ? Program::ComponentType::Float
                                      : type == "int" ? Program::ComponentType::Int
                                      : type == "uint" ? Program::ComponentType::Uint
                                                       : Program::ComponentType::Other;
            reflection.inputs.push_back(parameter);
        } else if (kind == "//@cbuffer") {
            ShaderReflection::ConstantBuffer block;
            fields >> block.slot >> block.size >> block.name;
            reflection.constantBuffers.push_back(block);
        } else if (kind == "//@variable" && !reflection.constantBuffers.empty()) {
            ShaderReflection::Variable variable;
            fields >> variable.offset >> variable.size >> variable.elements >> variable.type >>
                variable.name;
            reflection.constantBuffers.back().variables.push_back(variable);
        } else if (kind == "//@resource") {
            ShaderReflection::Resource resource;
            std::string type;
            fields >> type >> resource.slot >> resource.count >> resource.name;
            resource.type = type == "cbuffer"   ? ShaderReflection::ResourceType::ConstantBuffer
                            : type == "sampler" ? ShaderReflection::ResourceType::Sampler
                            : type == "uav"     ? ShaderReflection::ResourceType::UnorderedAccess
                                                : ShaderReflection::ResourceType::Texture;
            reflection.resources.push_back(resource);
        }
    }
    return true;
}

}  // namespace Platform::Gl
