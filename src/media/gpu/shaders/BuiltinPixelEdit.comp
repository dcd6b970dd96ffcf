// One pixel of dst (u0) edited per dispatch of one thread.
// Default: constant0 = color float4 at 0, pos int2 at 16, blend int at 24;
// the colour is laid onto the pixel at pos.
// COPY_PIXEL: constant0 = dstPos int2 at 0, srcPos int2 at 8, blend int at
// 16; the pixel at srcPos (of dst, or with SEPARATE_SOURCE of src, u1) is
// laid onto the pixel at dstPos.
// blend < 0 writes the colour; 0 lays it over; 1 adds, 2 subtracts and 3
// multiplies the colour, alpha as over; any other value writes it.
// Positions outside the picture read 0 and write nothing.
layout(local_size_x = 1, local_size_y = 1, local_size_z = 1) in;
layout(binding = U_SLOT(0), PIXEL_IMAGE_FORMAT) uniform image2D dst;
#ifdef SEPARATE_SOURCE
layout(binding = U_SLOT(1), PIXEL_IMAGE_FORMAT) uniform readonly image2D src;
#endif
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c[2]; };

vec4 editPixel(vec4 c, vec4 d, int blend) {
    float over = c.a + d.a * (1.0 - c.a);
    switch (blend) {
        case 0: return c + d * (1.0 - c.a);
        case 1: return vec4(d.rgb + c.rgb, over);
        case 2: return vec4(d.rgb - c.rgb, over);
        case 3: return vec4(d.rgb * (1.0 - c.a) + d.rgb * c.rgb, over);
        default: return c;
    }
}

void main() {
#ifdef COPY_PIXEL
    ivec2 pos = floatBitsToInt(c[0].xy);
    ivec2 srcPos = floatBitsToInt(c[0].zw);
    int blend = floatBitsToInt(c[1].x);
#ifdef SEPARATE_SOURCE
    vec4 colour = imageLoad(src, srcPos);
#else
    vec4 colour = imageLoad(dst, srcPos);
#endif
#else
    vec4 colour = c[0];
    ivec2 pos = floatBitsToInt(c[1].xy);
    int blend = floatBitsToInt(c[1].z);
#endif
    imageStore(dst, pos, editPixel(colour, imageLoad(dst, pos), blend));
}
