// The coverage of a fan cut; the target is multiplied by the alpha
// written. constant0: offset vec2 at 0, the directions S at 8, E at 16 and
// L at 24 (the two boundary rays' normals and the bisector's), range float
// at 32 (half the ramp), limit float at 36 (keeps the ramps off the apex).
// WIDE is the shader of sectors of 180 degrees and more.
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; vec4 c1; vec4 c2; };
layout(location = 0) out vec4 result;

float smoothRamp(float t) { return t * t * (3.0 - 2.0 * t); }

void main() {
    vec2 p = gl_FragCoord.xy + c0.xy;
    float dS = dot(p, c0.zw);
    float dE = dot(p, c1.xy);
    float dL = dot(p, c1.zw);
    float R = c2.x;
    float L = c2.y;
#ifdef WIDE
    float a = smoothRamp(clamp((min(dS, dE) + R) / (2.0 * R), 0.0, 1.0));
    float b = smoothRamp(clamp((dL + L) / L, 0.0, 1.0));
    float c = a * b;
#else
    float a = smoothRamp(clamp((R - max(dS, dE)) / (2.0 * R), 0.0, 1.0));
    float b = smoothRamp(clamp((L - dL) / L, 0.0, 1.0));
    float c = 1.0 - a * b;
#endif
    result = vec4(0.0, 0.0, 0.0, c);
}
