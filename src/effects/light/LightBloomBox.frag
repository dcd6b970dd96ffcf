// One pass of the light bloom's box filter: the sum of the source texels
// from x - range to x + range along the row (VERTICAL: the column) times
// divive; texels outside the source read as 0.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    int range = floatBitsToInt(c0.x);
    float divive = c0.y;
#ifdef VERTICAL
    const int axis = 1;
#else
    const int axis = 0;
#endif
    ivec2 p = ivec2(gl_FragCoord.xy);
    ivec2 size = textureSize(texture0, 0);
    int first = max(p[axis] - range, 0);
    int last = min(p[axis] + range, size[axis] - 1);
    vec4 sum = vec4(0.0);
    for (int k = first; k <= last; ++k) {
        ivec2 q = p;
        q[axis] = k;
        sum += texelFetch(texture0, q, 0);
    }
    result = sum * divive;
}
