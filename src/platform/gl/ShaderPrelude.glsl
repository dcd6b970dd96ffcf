// Helpers every GLSL stage of the program gets ahead of its own text.

// Integer loads outside the picture read 0, as D3D's Load does; GL leaves
// texelFetch outside the texture undefined.
vec4 loadTexel(sampler2D source, ivec2 position) {
    ivec2 size = textureSize(source, 0);
    if (any(lessThan(position, ivec2(0))) || any(greaterThanEqual(position, size)))
        return vec4(0.0);
    return texelFetch(source, position, 0);
}

// HLSL arithmetic: integer division and % truncate toward zero; fmod keeps
// the sign of the dividend (GLSL's mod floors).
int hlslDivide(int a, int b) {
    int q = abs(a) / abs(b);
    return (a < 0) != (b < 0) ? -q : q;
}
int hlslRemainder(int a, int b) { return a - hlslDivide(a, b) * b; }
float hlslFmod(float a, float b) { return a - b * trunc(a / b); }
vec2 hlslFmod(vec2 a, vec2 b) { return a - b * trunc(a / b); }
vec3 hlslFmod(vec3 a, vec3 b) { return a - b * trunc(a / b); }
vec4 hlslFmod(vec4 a, vec4 b) { return a - b * trunc(a / b); }

#ifdef STAGE_PIXEL
// An attribute at the pixel's centre. Draws take the top-left edge rule
// from a viewport shifted by EDGE_OFFSET, which would otherwise move every
// sampled position by as much; interpolation is linear across the pixel.
#define AT_PIXEL_CENTRE(v) ((v) + EDGE_OFFSET.x * dFdxFine(v) + EDGE_OFFSET.y * dFdyFine(v))
#endif
