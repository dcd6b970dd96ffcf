// The lighting pass: the frame's colour is multiplied (blend state 11) by
// ambient plus each light's contribution at the stored opaque normal
// (t0, shine in w; w < 0: no surface) and depth (t1). Shadow lights read
// their variance shadow map (t2 + i) through a 5 x 5 binomial filter.
// Constant (912 bytes): projection float4x4[8] at 0, LightSource[8] at 512
// (type int, pos float3, col float4, range, depth, dummy float2; 48 bytes
// each), lightNum int at 896, ambient float3 at 900.
layout(binding = T_SLOT(0)) uniform sampler2D normalBuffer;
layout(binding = T_SLOT(1)) uniform sampler2D depthBuffer;
layout(binding = T_SLOT(2)) uniform sampler2D shadows[8];
layout(std140, binding = B_SLOT(0)) uniform LightingConstant { vec4 lighting[57]; };
layout(location = 2) in vec4 NORMAL;
layout(location = 0) out vec4 result;

float shadowFactor(int i, vec2 position, float depth) {
    mat4 projection = mat4(lighting[4 * i], lighting[4 * i + 1], lighting[4 * i + 2], lighting[4 * i + 3]);
    vec4 q = projection * vec4(position, depth, 1.0);
    vec3 t = q.xyz / q.w;
    vec2 uv = t.xy * 0.5 + 0.5;
    vec2 texel = 1.0 / vec2(textureSize(shadows[i], 0));
    const float weights[5] = float[5](1.0, 4.0, 6.0, 4.0, 1.0);
    vec2 moments = vec2(0.0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            moments += weights[x] * weights[y] * texture(shadows[i], uv + vec2(x - 2, y - 2) * texel).xy;
    moments /= 256.0;
    if (t.z <= moments.x) return 1.0;
    float variance = clamp(moments.y - moments.x * moments.x + 0.0001, 0.0, 1.0);
    float d = t.z - moments.x;
    return variance / (variance + d * d);
}

void main() {
    ivec2 p = ivec2(gl_FragCoord.xy);
    vec4 stored = loadTexel(normalBuffer, p);
    if (stored.w < 0.0) discard;
    float depth = loadTexel(depthBuffer, p).x;
    float r = (1.0 - stored.w) * (1.0 - stored.w);
    float r2 = r * r;
    vec3 n = normalize(stored.xyz);
    vec3 v = normalize(NORMAL.xyz);
    vec3 sum = vec3(0.0);
    int count = min(floatBitsToInt(lighting[56].x), 8);
    for (int i = 0; i < count; ++i) {
        vec4 record = lighting[32 + 3 * i];
        int type = floatBitsToInt(record.x);
        if (type != 1 && type != 2) continue;
        vec3 l = normalize(record.yzw);
        vec3 h = normalize(v + l);
        float nl = clamp(dot(n, l), 0.0, 1.0), nv = clamp(dot(n, v), 0.0, 1.0);
        float nh = clamp(dot(n, h), 0.0, 1.0);
        float f = 0.04 + 0.96 * pow(1.0 - clamp(dot(h, l), 0.0, 1.0), 5.0);
        float denominator = nh * nh * (r2 - 1.0) + 1.0;
        // Shine 1 makes r 0 and this 0 / 0 where n faces h: no highlight.
        float distribution = denominator != 0.0 ? r2 / (denominator * denominator) : 0.0;
        float visibility = 0.5 / (nl * sqrt(nv * nv * (1.0 - r2) + r2) +
                                  nv * sqrt(nl * nl * (1.0 - r2) + r2) + 0.00001);
        vec3 contribution = lighting[33 + 3 * i].rgb * (distribution * visibility * f + (1.0 - f)) *
                            nl;
        if (type == 2) contribution *= shadowFactor(i, gl_FragCoord.xy, depth);
        sum += contribution;
    }
    result = vec4(lighting[56].yzw + sum, 0.0);
}
