// A filtered sample at the interpolated texture coordinate, through the
// sampler bound to slot 0.
layout(location = 0) in vec2 TEXCOORD;
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) out vec4 result;

void main() {
    result = texture(texture0, TEXCOORD);
}
