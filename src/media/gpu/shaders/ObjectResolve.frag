// The transparent layer (u2) drawn where its depth (u3) is nearer than the
// opaque depth (u1); elsewhere nothing.
layout(binding = U_SLOT(1), r32f) coherent uniform image2D depthBuffer;
layout(binding = U_SLOT(2), PIXEL_IMAGE_FORMAT) coherent uniform image2D transparentBuffer;
layout(binding = U_SLOT(3), r32f) coherent uniform image2D transparentDepthBuffer;
layout(location = 0) out vec4 result;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    if (!(imageLoad(transparentDepthBuffer, p).x > imageLoad(depthBuffer, p).x)) discard;
    result = imageLoad(transparentBuffer, p);
}
