// Into exponential light space: rgb = e^(saturate(rgb) * base + 1), alpha
// kept. constant0: base float at 0.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
    result = vec4(exp(clamp(c.rgb, 0.0, 1.0) * c0.x + 1.0), c.a);
}
