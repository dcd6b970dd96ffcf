// Box average along a row (VERTICAL: along a column). constant0: step int
// at 0, offset int at 4. Output pixel i is the mean of the step source
// pixels from i * step + offset on, each position clamped into the picture.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    int stepSize = floatBitsToInt(c0.x);
    int offset = floatBitsToInt(c0.y);
    ivec2 p = ivec2(gl_FragCoord.xy);
    ivec2 size = textureSize(texture0, 0);
#ifdef VERTICAL
    const int axis = 1;
#else
    const int axis = 0;
#endif
    vec4 sum = vec4(0.0);
    for (int k = 0; k < stepSize; ++k) {
        ivec2 q = p;
        q[axis] = clamp(p[axis] * stepSize + offset + k, 0, size[axis] - 1);
        sum += loadTexel(texture0, q);
    }
    // No samples give 0 rather than 0 / 0.
    result = sum / float(max(stepSize, 1));
}
