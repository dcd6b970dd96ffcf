// The before picture moved by an offset; where it has moved away the frame
// keeps its own pixels. constant0: int2 offset.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { ivec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    ivec2 size = textureSize(texture0, 0);
    ivec2 p = ivec2(gl_FragCoord.xy) + c0.xy;
    if (p.x < 0 || p.y < 0 || p.x >= size.x || p.y >= size.y) discard;
    result = loadTexel(texture0, p);
}
