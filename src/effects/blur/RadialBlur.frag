// One streak per output pixel, from the pixel towards the centre.
// constant0: sampleNum int at 0, sampleStep float at 4, center vec2 at 8
// (source pixels), offset vec2 at 16 (the output's top-left corner in
// source pixels). Sample positions truncate toward zero; outside the
// source every channel reads 0.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; vec4 c1; };
layout(location = 0) out vec4 result;

void main() {
    int sampleNum = floatBitsToInt(c0.x);
    float sampleStep = c0.y;
    vec2 center = c0.zw;
    vec2 p = gl_FragCoord.xy + c1.xy;
    vec2 d = center - p;
    vec4 sum = vec4(0.0);
    for (int i = 0; i < sampleNum; ++i)
        sum += loadTexel(texture0, ivec2(p + d * (sampleStep * float(i))));
    result = sum / float(sampleNum);
}
