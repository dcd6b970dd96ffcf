// Each primitive folds its number into the pixel with an operation whose
// result depends on the order: v = v / 2 + (primitive + 1).
ORDERED_ACCESS_DECLARE
layout(binding = U_SLOT(1), r32f) coherent uniform image2D target;

void main() {
    ivec2 position = ivec2(gl_FragCoord.xy);
    ORDERED_ACCESS_BEGIN;
    float value = imageLoad(target, position).x;
    imageStore(target, position, vec4(value * 0.5 + float(gl_PrimitiveID + 1)));
    ORDERED_ACCESS_END;
}
