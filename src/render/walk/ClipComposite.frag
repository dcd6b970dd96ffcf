// The frame where the clipping shapes cover it, the snapshot taken before
// them elsewhere: with the dual-source blend the target becomes
// snapshot × (1 - a) + frame × a, a being the clip target's alpha.
layout(binding = T_SLOT(0)) uniform sampler2D snapshot;
layout(binding = T_SLOT(1)) uniform sampler2D clip;
layout(location = 0, index = 0) out vec4 result;
layout(location = 0, index = 1) out vec4 factor;

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    float a = clamp(loadTexel(clip, p).a, 0.0, 1.0);
    result = loadTexel(snapshot, p);
    factor = vec4(1.0 - a);
}
