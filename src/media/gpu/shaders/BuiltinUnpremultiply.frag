// Premultiplied to straight alpha: (rgb / a, a); a transparent pixel stays
// (0, 0, 0, 0) instead of dividing by zero.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) out vec4 result;

void main() {
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
    result = c.a != 0.0 ? vec4(c.rgb / c.a, c.a) : vec4(0.0);
}
