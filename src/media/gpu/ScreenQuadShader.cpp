#include "media/gpu/ScreenQuadShader.h"

#include "embedded/embedded_ScreenQuadPosition_vert.h"
#include "embedded/embedded_ScreenQuadTexcoord_vert.h"
#include "media/gpu/Direct3DService.h"

#include <cstring>

namespace Media {

namespace {

const float kPositions[4][3] = {{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, 1, 0}};
const float kTexcoords[4][7] = {{-1, -1, 0, 0, 1, 1, 0},
                                {1, -1, 0, 1, 1, 1, 0},
                                {-1, 1, 0, 0, 0, 1, 0},
                                {1, 1, 0, 1, 0, 1, 0}};

}  // namespace

ScreenQuadShader::ScreenQuadShader(Direct3DService* service, Kind kind) : shader(service) {
    const bool position = kind == Kind::Position;
    const char* code = position ? embedded_ScreenQuadPosition_vert : embedded_ScreenQuadTexcoord_vert;
    shader.loadFromMemory(code, std::strlen(code));
    stride_ = position ? sizeof kPositions[0] : sizeof kTexcoords[0];
    vertices_ = std::make_unique<Platform::Gl::Buffer>(
        *service->device, position ? sizeof kPositions : sizeof kTexcoords,
        position ? static_cast<const void*>(kPositions) : static_cast<const void*>(kTexcoords),
        "Media::ScreenQuadShader::ScreenQuadShader");
}

void ScreenQuadShader::draw(Platform::Gl::Context& context) {
    Platform::Gl::setVertexBuffer(context, *vertices_, stride_);
    Platform::Gl::draw(context, GL_TRIANGLE_STRIP, 0, 4);
}

}  // namespace Media
