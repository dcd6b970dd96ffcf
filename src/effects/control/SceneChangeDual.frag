// Two outputs at one pixel for dual-source blending: the before picture
// and, as the second colour, the wipe mask whose alpha mixes them.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(binding = T_SLOT(1)) uniform sampler2D texture1;
layout(location = 0, index = 0) out vec4 result;
layout(location = 0, index = 1) out vec4 mask;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    result = loadTexel(texture0, p);
    mask = loadTexel(texture1, p);
}
