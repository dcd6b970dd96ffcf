// Transition mask from a picture's darkness, through the sampler bound to
// slot 0. constant0: limitMin at 0, limitMax at 4, scale float2 at 8.
// Equal limits give a hard edge: 1 where the darkness passes them, else 0.
layout(location = 0) in vec2 TEXCOORD;
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { vec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    vec2 q = (TEXCOORD - 0.5) * c0.zw + 0.5;
    float darkness = 1.0 - dot(texture(texture0, q).rgb, vec3(0.299, 0.587, 0.114)) - c0.x;
    float range = c0.y - c0.x;
    float t = range != 0.0 ? clamp(darkness / range, 0.0, 1.0) : (darkness > 0.0 ? 1.0 : 0.0);
    result = vec4(0.0, 0.0, 0.0, t * t * (3.0 - 2.0 * t));
}
