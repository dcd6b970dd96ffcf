// Object vertex stages. TEXTURED: POSITION, TEXUV, COLOR.x (opacity);
// otherwise POSITION and a straight COLOR. LIT also reads NORMAL and hands
// on the world normal with shine; LIGHT_PROJECTION projects into a shadow
// map through the light constants (b1) instead.
// The inputs are declared ahead of this text, one variant each, since the
// input layout is read from the declarations.
#ifdef TEXTURED
layout(location = 0) out vec2 TEXCOORD_OUT;
#endif
layout(location = 1) out vec4 COLOR_OUT;
#ifdef LIT
layout(location = 2) out vec4 NORMAL_OUT;
#endif
#ifdef LIGHT_PROJECTION
layout(std140, binding = B_SLOT(1)) uniform LightConstant { vec4 lightConstant[4]; };
#endif

void main() {
#ifdef LIGHT_PROJECTION
    gl_Position = mat4(lightConstant[0], lightConstant[1], lightConstant[2], lightConstant[3]) * POSITION;
#else
    gl_Position = objectProjection() * POSITION;
#endif
#ifdef TEXTURED
    TEXCOORD_OUT = TEXUV;
    COLOR_OUT = vec4(0.0, 0.0, COLOR * objectAlpha(), 0.0);
#elif defined(LIGHT_PROJECTION)
    COLOR_OUT = vec4(COLOR.a * objectAlpha(), 0.0, 0.0, 0.0);
#else
    COLOR_OUT = vec4(COLOR.rgb * COLOR.a, COLOR.a) * objectAlpha();
#endif
#ifdef LIT
    NORMAL_OUT = vec4(mat3(objectNormalWorld()) * normalize(NORMAL), objectShine());
#endif
}
