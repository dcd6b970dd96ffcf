// The coverage of a straight cut; the target is multiplied by the alpha
// written. constant0: offset vec2 at 0 (pixel to clip centre), direction
// vec2 at 8 (the kept side), length float at 16 (ramp width), range float
// at 20 (half the band). BAND keeps (range > 0) or removes (range < 0) the
// band around the line, else the half-plane on the direction's side stays.
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; vec4 c1; };
layout(location = 0) out vec4 result;

float smoothRamp(float t) { return t * t * (3.0 - 2.0 * t); }

void main() {
    vec2 p = gl_FragCoord.xy + c0.xy;
    float d = dot(p, c0.zw);
    float len = c1.x;
#ifdef BAND
    float range = c1.y;
    float s = range < 0.0 ? -1.0 : 1.0;
    float c = smoothRamp(clamp((range - s * abs(d)) / len, 0.0, 1.0));
#else
    float c = smoothRamp(clamp((len * 0.5 + d) / len, 0.0, 1.0));
#endif
    result = vec4(0.0, 0.0, 0.0, c);
}
