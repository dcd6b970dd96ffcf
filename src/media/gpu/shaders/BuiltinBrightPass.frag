// Bright pass. constant0: threshold at 0, ratio at 4, limit at 8 (floats).
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    vec4 c = loadTexel(texture0, ivec2(gl_FragCoord.xy));
    float w = max(dot(c.rgb, vec3(0.299, 0.587, 0.114)) - c0.x, 0.0) * c0.y;
    result = vec4(min(c.rgb * w, vec3(c0.z)), min(w, 1.0));
}
