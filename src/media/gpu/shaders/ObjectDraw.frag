// Object pixel stages. TEXTURED: the object's picture (t0) at TEXCOORD,
// averaged over the pixel's footprint, times the opacity in COLOR.z;
// otherwise the premultiplied vertex COLOR. A non-zero blend code
// composites against the frame copy (t1).
//
// DEPTH keeps depth in images instead of a depth buffer (larger is nearer,
// 0 is empty): opaque depth (u1), one premultiplied transparent layer (u2)
// with its depth (u3). LIT also keeps normals with shine in w: opaque (u4)
// and transparent (u5); back faces negate theirs.
//
// Flat variants the draw chooses on the CPU, so the software rasterizer
// does not run both sides of branches it knows the outcome of: BLEND_NONE
// (blend code 0), SAMPLE_NEAR (no pixel covers more than the footprint
// threshold) and SAMPLE_FOOTPRINT (every pixel covers more).
ORDERED_ACCESS_DECLARE
#ifdef TEXTURED
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) in vec2 TEXCOORD;
#endif
layout(location = 1) in vec4 COLOR;
#ifdef LIT
layout(location = 2) in vec4 NORMAL;
#endif
layout(binding = T_SLOT(1)) uniform sampler2D frameBuffer;
#ifdef DEPTH
layout(binding = U_SLOT(1), r32f) coherent uniform image2D depthBuffer;
layout(binding = U_SLOT(2), PIXEL_IMAGE_FORMAT) coherent uniform image2D transparentBuffer;
layout(binding = U_SLOT(3), r32f) coherent uniform image2D transparentDepthBuffer;
#endif
#ifdef LIT
layout(binding = U_SLOT(4), rgba16f) coherent uniform image2D normalBuffer;
layout(binding = U_SLOT(5), rgba16f) coherent uniform image2D normalTransparentBuffer;
#endif
layout(location = 0) out vec4 result;

vec4 sourceColour() {
#ifdef TEXTURED
    // Texels a pixel covers per axis; a picture drawn smaller is averaged
    // over that footprint instead of skipping texels.
    vec2 at = AT_PIXEL_CENTRE(TEXCOORD);
#ifdef SAMPLE_NEAR
    return texture(texture0, at);
#else
    vec2 dx = dFdxCoarse(TEXCOORD), dy = dFdyCoarse(TEXCOORD);
    vec2 footprint = (abs(dx) + abs(dy)) * vec2(textureSize(texture0, 0));
#ifndef SAMPLE_FOOTPRINT
    if (all(lessThan(footprint, vec2(1.05)))) return texture(texture0, at);
#endif
    ivec2 n = ivec2(clamp(0.5 * footprint + 1.5, 1.0, 16.0));
    return footprintParallelogram(texture0, at, dx, dy, n);
#endif
#else
    return AT_PIXEL_CENTRE(COLOR);
#endif
}

float opacity() {
#ifdef TEXTURED
    return COLOR.z;
#else
    return 1.0;  // already in the vertex colour
#endif
}

#ifndef DEPTH
void main() {
    vec4 s = sourceColour();
#ifdef BLEND_NONE
    result = s * opacity();
#else
    int blend = objectBlend();
    if (blend != 0) {
        if (s.a < 0.001) discard;
        result = blendMode(blend, s, loadTexel(frameBuffer, ivec2(gl_FragCoord.xy)), opacity());
    } else {
        result = s * opacity();
    }
#endif
}
#else
void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    float z = gl_FragCoord.z;
    vec4 s = sourceColour();
    int blend = objectBlend();
#ifdef LIT
    vec4 normal = vec4(gl_FrontFacing ? NORMAL.xyz : -NORMAL.xyz, NORMAL.w);
#endif
    bool drawn = false;
    vec4 c = vec4(0.0);
    ORDERED_ACCESS_BEGIN;
    float opaqueDepth = imageLoad(depthBuffer, p).x;
    float w = opaqueDepth > 0.0 ? 51.2 * (1.0 / opaqueDepth - 1.0 / z) + 0.5 : 1.0;
    bool keep = !(opaqueDepth > 0.0 && w <= 0.0);
    if (keep) {
        if (blend != 0) {
            vec4 d = loadTexel(frameBuffer, p);
            vec4 layer = imageLoad(transparentBuffer, p);
            if (imageLoad(transparentDepthBuffer, p).x < opaqueDepth) d += layer * (1.0 - d.a);
            c = blendMode(blend, s, d, opacity());
            keep = s.a >= 0.001;
        } else {
            c = s * opacity();
        }
    }
    if (keep) {
        if (w < 1.0) {
            // The blending band around the stored surface.
            c *= w;
            drawn = true;
        } else if (c.a < 0.99) {
            if (c.a >= 0.001) {
                float layerDepth = imageLoad(transparentDepthBuffer, p).x;
                vec4 layer = imageLoad(transparentBuffer, p);
                vec4 mixed;
                bool dominant;
                if (z >= layerDepth) {
                    imageStore(transparentDepthBuffer, p, vec4(z));
                    mixed = layer * (1.0 - c.a) + c;
                    dominant = c.a >= layer.a * (1.0 - c.a);
                } else {
                    mixed = c * (1.0 - layer.a) + layer;
                    dominant = c.a * (1.0 - layer.a) >= layer.a;
                }
                imageStore(transparentBuffer, p, mixed);
#ifdef LIT
                if (dominant) imageStore(normalTransparentBuffer, p, normal);
#endif
            }
        } else {
            float layerDepth = imageLoad(transparentDepthBuffer, p).x;
            if (layerDepth < z) {
                imageStore(transparentBuffer, p, vec4(0.0));
                imageStore(transparentDepthBuffer, p, vec4(z));
#ifdef LIT
                imageStore(normalTransparentBuffer, p, vec4(0.0, 0.0, 0.0, -1.0));
#endif
            }
            imageStore(depthBuffer, p, vec4(z));
#ifdef LIT
            imageStore(normalBuffer, p, normal);
#endif
            drawn = true;
        }
    }
    ORDERED_ACCESS_END;
    if (!drawn) discard;
    result = c;
}
#endif
