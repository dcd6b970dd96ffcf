// Full-screen triangles, one after another in a single draw.
const vec2 corners[3] = vec2[](vec2(-1.0, -1.0), vec2(3.0, -1.0), vec2(-1.0, 3.0));

void main() {
    gl_Position = vec4(corners[gl_VertexID % 3], 0.0, 1.0);
}
