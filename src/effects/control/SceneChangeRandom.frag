// Random lines: each band of the before picture vanishes once the progress
// passes its threshold. constant0: float ratio, uint divideX, divideY;
// texture1: the 256 x 256 thresholds.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(binding = T_SLOT(1)) uniform sampler2D texture1;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    ivec2 size = textureSize(texture0, 0);
    ivec2 p = ivec2(gl_FragCoord.xy);
    if (p.x >= size.x || p.y >= size.y) discard;
    uint divideX = floatBitsToUint(c0.y);
    uint divideY = floatBitsToUint(c0.z);
    uint cell = (uint(p.x) * divideX) / uint(size.x) + (uint(p.y) * divideY) / uint(size.y);
    float r = loadTexel(texture1, ivec2(int(cell % 256u), int(cell / 256u))).x;
    if (r < c0.x) discard;
    result = loadTexel(texture0, p);
}
