// The colour with alpha 1.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) out vec4 result;

void main() {
    result = vec4(loadTexel(texture0, ivec2(gl_FragCoord.xy)).rgb, 1.0);
}
