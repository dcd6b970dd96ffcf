// A rectangle whose edges run through pixel centres of an 8 x 8 target:
// window x and y from 1.5 to 5.5.
void main() {
    vec2 corners[6] = vec2[](vec2(-0.625, 0.625), vec2(0.375, 0.625), vec2(-0.625, -0.375),
                             vec2(0.375, 0.625), vec2(0.375, -0.375), vec2(-0.625, -0.375));
    gl_Position = vec4(corners[gl_VertexID], 0.0, 1.0);
}
