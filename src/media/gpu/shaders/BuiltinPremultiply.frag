// Straight alpha to premultiplied: (rgb * a, a).
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) out vec4 result;

void main() {
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
    result = vec4(c.rgb * c.a, c.a);
}
