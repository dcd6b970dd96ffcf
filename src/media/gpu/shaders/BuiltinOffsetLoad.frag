// The picture moved by an offset. constant0: offset int2 at 0.
// Outside the picture reads 0; CLAMP_TO_EDGE extends the edges instead.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy) + floatBitsToInt(c0.xy);
#ifdef CLAMP_TO_EDGE
    p = clamp(p, ivec2(0), textureSize(texture0, 0) - 1);
#endif
    result = loadTexel(texture0, p);
}
