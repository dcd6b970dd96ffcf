// Blend-mode compositing of the picture (t0) over a copy of the frame (t1).
// constant0: blend int at 0, alpha float at 4; WITH_OFFSET also offset
// int2 at 8, moving the picture (outside it reads 0). Nearly transparent
// source pixels leave the target alone.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(binding = T_SLOT(1)) uniform sampler2D frameBuffer;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
#ifdef WITH_OFFSET
    vec4 s = loadTexel(texture0, p + floatBitsToInt(c0.zw));
#else
    vec4 s = loadTexel(texture0, p);
#endif
    if (s.a < 0.001) discard;
    result = blendMode(floatBitsToInt(c0.x), s, loadTexel(frameBuffer, p), c0.y);
}
