// Shadow-map writers: the map (u0, RG32F, cleared to 1) keeps the smallest
// depth as moments (z, z * z). Fragments below half opacity cast no
// shadow. TEXTURED: the picture's alpha (t0) times the opacity in COLOR.z;
// otherwise the opacity in COLOR.x.
ORDERED_ACCESS_DECLARE
#ifdef TEXTURED
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) in vec2 TEXCOORD;
#endif
layout(location = 1) in vec4 COLOR;
layout(binding = U_SLOT(0), rg32f) coherent uniform image2D shadowMap;
// The moments also go to whatever target is bound, so it holds no garbage.
layout(location = 0) out vec4 result;

void main() {
#ifdef TEXTURED
    float opacity = texture(texture0, AT_PIXEL_CENTRE(TEXCOORD)).a * COLOR.z;
#else
    float opacity = COLOR.x;
#endif
    if (opacity < 0.5) discard;
    ivec2 p = ivec2(gl_FragCoord.xy);
    float z = gl_FragCoord.z;
    ORDERED_ACCESS_BEGIN;
    bool nearer = z < imageLoad(shadowMap, p).x;
    if (nearer) imageStore(shadowMap, p, vec4(z, z * z, z, z));
    ORDERED_ACCESS_END;
    if (!nearer) discard;
    result = vec4(z, z * z, z, z);
}
