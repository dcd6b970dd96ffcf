// One pass of the box blur along a row (VERTICAL: along a column).
// constant0: width int at 0, height int at 4, range int at 8, divive float
// at 12 (1 / (2 range + 1)). GROW reads source i = x - 2r .. x (the output
// is 2r larger), KEEP i = x - r .. x + r with transparent samples outside,
// CLAMP the same with i clamped into the pass's width (height).
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    int width = floatBitsToInt(c0.x);
    int height = floatBitsToInt(c0.y);
    int range = floatBitsToInt(c0.z);
    float divive = c0.w;
#ifdef VERTICAL
    const int axis = 1;
    int size = height;
#else
    const int axis = 0;
    int size = width;
#endif
#ifdef GROW
    int shift = -range;
#else
    int shift = 0;
#endif
    ivec2 p = ivec2(gl_FragCoord.xy);
    vec4 sum = vec4(0.0);
    for (int k = -range; k <= range; ++k) {
        ivec2 q = p;
        q[axis] = p[axis] + k + shift;
#ifdef CLAMP
        q[axis] = clamp(q[axis], 0, size - 1);
#endif
        sum += loadTexel(texture0, q);
    }
    result = sum * divive;
}
