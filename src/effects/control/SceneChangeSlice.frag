// Slices of the before picture: rows move sideways by offsetX, alternately
// left and right, then columns move by offsetY. constant0: uint offsetX,
// offsetY, divide. A source position outside the picture keeps the frame.
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(std140, binding = B_SLOT(0)) uniform constant0 { uvec4 c0; };
layout(location = 0) out vec4 result;

void main() {
    ivec2 size = textureSize(texture0, 0);
    ivec2 p = ivec2(gl_FragCoord.xy);
    int offsetX = int(c0.x);
    int offsetY = int(c0.y);
    int divide = int(c0.z);
    int row = (p.y * divide) / size.y;
    int x = p.x + ((row & 1) != 0 ? offsetX : -offsetX);
    int column = (x * divide) / size.x;
    int y = p.y + ((column & 1) != 0 ? offsetY : -offsetY);
    if (x < 0 || y < 0 || x >= size.x || y >= size.y) discard;
    result = loadTexel(texture0, ivec2(x, y));
}
