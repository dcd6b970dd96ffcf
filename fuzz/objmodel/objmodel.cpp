// The OBJ and MTL readers: any bytes load into a model or raise an error,
// never read out of bounds. The input is an OBJ file, optionally followed
// by a line "#MTL" and the text of the material library it may name as
// "mtllib m.mtl".
#include "media/model/ModelBuffer.h"
#include "media/model/ModelLoaderObj.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

namespace {

const std::string& folder() {
    static const std::string path = [] {
        char name[] = "/tmp/objmodel-fuzz-XXXXXX";
        const char* made = mkdtemp(name);
        return std::string(made ? made : "/tmp");
    }();
    return path;
}

void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find("\n#MTL\n");
    write(folder() + "/m.obj", input.substr(0, split));
    write(folder() + "/m.mtl", split == std::string::npos ? std::string() : input.substr(split + 6));
    const std::wstring path = std::wstring(folder().begin(), folder().end()) + L"/m.obj";
    for (bool flip : {false, true}) {
        try {
            auto model = Media::ModelLoaderObj::loadFromFile(path, flip);
            for (const auto& part : model->parts) {
                if (part.vertices.size() % 3 != 0) std::abort();
                Media::ModelBuffer::createVertexList(part, !part.texturePath.empty());
            }
        } catch (const std::exception&) {
        }
    }
    return 0;
}
