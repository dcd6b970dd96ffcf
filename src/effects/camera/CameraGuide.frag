// One guide line of the camera control. TEXCOORD.y runs 0 to 1 across the
// strip, so the line's coverage falls from 1 on its middle to 0 on its
// edges. Depth (larger is nearer) is checked against the camera pass's
// opaque depth (u1): a line behind a surface is hidden, one just behind it
// fades in. Translucent pixels join the transparent layer (u2, depth u3),
// opaque ones become part of the opaque surface.
ORDERED_ACCESS_DECLARE
layout(location = 0) in vec2 TEXCOORD;
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 color; };
layout(binding = U_SLOT(1), r32f) coherent uniform image2D depthBuffer;
layout(binding = U_SLOT(2), PIXEL_IMAGE_FORMAT) coherent uniform image2D transparentBuffer;
layout(binding = U_SLOT(3), r32f) coherent uniform image2D transparentDepthBuffer;
layout(location = 0) out vec4 result;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    float z = gl_FragCoord.z;
    float edge = abs(2.0 * TEXCOORD.y - 1.0);
    float coverage = max(0.0, 1.0 - edge);
    vec4 c = color * coverage * (1.0 - clamp(z * 0.000001, 0.0, 1.0));
    bool drawn = false;
    ORDERED_ACCESS_BEGIN;
    float opaqueDepth = imageLoad(depthBuffer, p).x;
    float f = opaqueDepth > 0.0 ? 51.2 * (1.0 / opaqueDepth - 1.0 / z) + 0.5 : 1.0;
    if (!(opaqueDepth > 0.0 && f <= 0.0)) {
        if (f < 1.0) {
            c *= f;
            drawn = true;
        } else if (c.a < 0.99) {
            if (c.a >= 0.001) {
                float layerDepth = imageLoad(transparentDepthBuffer, p).x;
                vec4 layer = imageLoad(transparentBuffer, p);
                if (z >= layerDepth) {
                    imageStore(transparentDepthBuffer, p, vec4(z));
                    imageStore(transparentBuffer, p, layer * (1.0 - c.a) + c);
                } else {
                    imageStore(transparentBuffer, p, layer + c * (1.0 - layer.a));
                }
            }
        } else {
            if (imageLoad(transparentDepthBuffer, p).x < z) {
                imageStore(transparentDepthBuffer, p, vec4(z));
                imageStore(transparentBuffer, p, vec4(0.0));
            }
            imageStore(depthBuffer, p, vec4(z));
            drawn = true;
        }
    }
    ORDERED_ACCESS_END;
    if (!drawn) discard;
    result = c;
}
