// Resampling to another size through the sampler bound to slot 0.
// constant0: inverseRatio float2 at 0 (source texels per target pixel).
// Near 1:1 one sample; otherwise the mean over the pixel's footprint.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    vec2 inverseRatio = c0.xy;
    vec2 size = vec2(textureSize(texture0, 0));
    vec2 uv = gl_FragCoord.xy * inverseRatio / size;
    vec2 f = abs(inverseRatio);
    if (all(lessThan(f, vec2(1.05))))
        result = texture(texture0, uv);
    else
        result = footprintAverage(texture0, uv, inverseRatio / size, footprintSamples(f));
}
