// One pass of the box blur, one thread per row (VERTICAL: per column) with
// a running sum, so a pixel costs two loads whatever the radius. Eight
// lines make a work group: they run side by side in the SIMD lanes of a
// software rasterizer's thread instead of one lane each.
// constant0: width int at 0, height int at 4, range int at 8, divide float
// at 12. Edge rules as the pixel pass (GROW, KEEP, CLAMP).
#ifdef VERTICAL
layout(local_size_x = 8, local_size_y = 1, local_size_z = 1) in;
#else
layout(local_size_x = 1, local_size_y = 8, local_size_z = 1) in;
#endif
layout(binding = T_SLOT(0)) uniform sampler2D src;
layout(binding = U_SLOT(0), PIXEL_IMAGE_FORMAT) uniform writeonly image2D dst;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };

int lineIndex;
int lineLength;

ivec2 at(int p) {
#ifdef VERTICAL
    return ivec2(lineIndex, p);
#else
    return ivec2(p, lineIndex);
#endif
}

vec4 source(int p) {
#ifdef CLAMP
    p = clamp(p, 0, lineLength - 1);
#endif
    return loadTexel(src, at(p));
}

void main() {
    int width = floatBitsToInt(c0.x);
    int height = floatBitsToInt(c0.y);
    int range = floatBitsToInt(c0.z);
    float divide = c0.w;
#ifdef VERTICAL
    lineIndex = int(gl_GlobalInvocationID.x);
    lineLength = height;
    if (lineIndex >= width) return;
#else
    lineIndex = int(gl_GlobalInvocationID.y);
    lineLength = width;
    if (lineIndex >= height) return;
#endif
    vec4 s = vec4(0.0);
#ifdef GROW
    for (int p = 0; p < lineLength; ++p) {
        s += source(p);
        imageStore(dst, at(p), s * divide);
        s -= source(p - 2 * range);
    }
#else
    for (int i = -range; i < range; ++i) s += source(i);
    for (int p = 0; p < lineLength; ++p) {
        s += source(p + range);
        imageStore(dst, at(p), s * divide);
        s -= source(p - range);
    }
#endif
}
