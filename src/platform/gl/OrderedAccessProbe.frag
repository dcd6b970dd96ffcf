// Translucent blending through an image: the result depends on the order
// in which the rectangles reach each pixel.
ORDERED_ACCESS_DECLARE
layout(binding = U_SLOT(1), r32f) coherent uniform image2D target;
layout(location = 0) flat in vec2 colour;

void main() {
    ivec2 position = ivec2(gl_FragCoord.xy);
    ORDERED_ACCESS_BEGIN;
    float value = imageLoad(target, position).x;
    imageStore(target, position, vec4(colour.x * colour.y + value * (1.0 - colour.y)));
    ORDERED_ACCESS_END;
}
