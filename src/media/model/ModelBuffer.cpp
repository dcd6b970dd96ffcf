#include "media/model/ModelBuffer.h"

#include "core/file/FileName.h"
#include "media/model/ModelLoaderObj.h"

#include <algorithm>
#include <cwctype>
#include <exception>

namespace Media {

bool ModelBuffer::isSupportedFile(const std::wstring& path) {
    std::wstring extension = System::FileName::getExtension(path.c_str());
    std::transform(extension.begin(), extension.end(), extension.begin(), ::towlower);
    return extension == L"obj";
}

std::shared_ptr<ModelBuffer> ModelBuffer::loadFromFile(const std::wstring& path, bool flip) {
    if (!isSupportedFile(path)) return {};
    try {
        return ModelLoaderObj::loadFromFile(path, flip);
    } catch (const std::exception&) {
        // Logged where it was raised; the object draws nothing.
        return {};
    }
}

std::shared_ptr<VertexList> ModelBuffer::createVertexList(const Part& part, bool textured) {
    if (textured) {
        auto list = std::make_shared<VertexListTrianglePosUvNorm>();
        list->vertices.reserve(part.vertices.size());
        for (const Vertex& v : part.vertices)
            list->vertices.push_back({v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v, 1.0f, 0.0f});
        return list;
    }
    auto list = std::make_shared<VertexListTrianglePosColorNorm>();
    list->vertices.reserve(part.vertices.size());
    for (const Vertex& v : part.vertices)
        list->vertices.push_back(
            {v.x, v.y, v.z, v.nx, v.ny, v.nz, part.color[0], part.color[1], part.color[2], part.color[3]});
    return list;
}

}  // namespace Media
