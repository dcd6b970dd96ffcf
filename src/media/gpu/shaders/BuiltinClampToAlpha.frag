// Every colour channel clamped to [0, alpha]: a valid premultiplied pixel.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) out vec4 result;

void main() {
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
    result = vec4(clamp(c.rgb, vec3(0.0), vec3(c.a)), c.a);
}
