// Rectangle i of the probe is vertices 6i to 6i+5: two triangles through
// its corners (pixels, top-left origin).
layout(std430, binding = 0) readonly buffer Rectangles { vec4 rectangles[]; };
layout(location = 0) flat out vec2 colour;

void main() {
    const ivec2 corners[6] = ivec2[](ivec2(0, 0), ivec2(1, 0), ivec2(0, 1),
                                     ivec2(1, 0), ivec2(1, 1), ivec2(0, 1));
    int rectangle = gl_VertexID / 6;
    vec4 box = rectangles[rectangle * 2];
    colour = rectangles[rectangle * 2 + 1].xy;
    ivec2 corner = corners[gl_VertexID % 6];
    vec2 position = vec2(corner.x == 0 ? box.x : box.z, corner.y == 0 ? box.y : box.w);
    vec2 clip = position / float(PROBE_SIZE) * 2.0 - 1.0;
    // Clip space has y up, as in D3D.
    gl_Position = vec4(clip.x, -clip.y, 0.0, 1.0);
}
