// Two pictures into two targets at once.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(binding = T_SLOT(1)) uniform sampler2D texture1;
layout(location = 0) out vec4 target0;
layout(location = 1) out vec4 target1;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    target0 = loadTexel(texture0, p);
    target1 = loadTexel(texture1, p);
}
