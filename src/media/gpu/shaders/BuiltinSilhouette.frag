// The picture's shape in one colour. Constant: color float4 at 0.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 color; };
layout(location = 0) out vec4 result;

void main() {
    result = loadTexel(texture0, ivec2(gl_FragCoord.xy)).a * color;
}
