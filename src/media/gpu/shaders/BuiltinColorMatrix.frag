// Colour-matrix conversion. Constant (80 bytes): transform float4x4 in
// rows at 0, offset float4 at 64; output i = dot(row i, input).
// YUV pictures to RGB: the input is (T0.rgb, 1) + offset, so alpha is 1.
// SATURATE_INPUT, RGB frames to YUV: the input is saturate(T0) and the
// offset is added to the product.
// PACKED_422, YUY2 pictures: T0 holds one texel (Y0, Cb, Y1, Cr) per pair of
// pixels; the input is (Cb, Y of this pixel, Cr).
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform Constant {
    vec4 transform[4];
    vec4 offset;
};
layout(location = 0) out vec4 result;

vec4 applyTransform(vec4 v) {
    return vec4(dot(transform[0], v), dot(transform[1], v), dot(transform[2], v),
                dot(transform[3], v));
}

void main() {
#ifdef PACKED_422
    ivec2 position = ivec2(gl_FragCoord.xy);
    vec4 pair = loadTexel(texture0, ivec2(position.x / 2, position.y));
    vec4 c = vec4(pair.y, (position.x & 1) == 0 ? pair.x : pair.z, pair.w, 1.0);
#else
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
#endif
#ifdef SATURATE_INPUT
    result = applyTransform(clamp(c, 0.0, 1.0)) + offset;
#else
    result = applyTransform(vec4(c.rgb, 1.0) + offset);
#endif
}
