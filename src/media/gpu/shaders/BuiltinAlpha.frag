// The picture at an opacity. constant0: alpha float at 0; WITH_OFFSET also
// offset int2 at 4 (outside the picture reads 0).
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
#ifdef WITH_OFFSET
    p += floatBitsToInt(c0.yz);
#endif
    result = loadTexel(texture0, p) * c0.x;
}
