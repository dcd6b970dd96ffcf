// One colour everywhere. Constant: color float4 at 0.
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 color; };
layout(location = 0) out vec4 result;

void main() {
    result = color;
}
