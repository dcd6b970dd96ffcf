// Back from exponential light space: rgb = (ln(rgb) - 1) * baseInverse,
// alpha kept. constant0: baseInverse float at 0.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
    result = vec4((log(c.rgb) - 1.0) * c0.x, c.a);
}
